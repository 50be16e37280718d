#include "LogoImport.h"

namespace logoimport {

void insertClick(TForm1&, int) {}
void dropFiles(TForm1&, const QList<QUrl>&) {}

} // namespace logoimport
