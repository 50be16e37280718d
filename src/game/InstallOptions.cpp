#include "InstallOptions.h"

#include "store/LogoFile.h"

#include <QSettings>

namespace game {

namespace {
const QString kTempdecal = QStringLiteral("Install/Tempdecal");
const QString kReadOnly = QStringLiteral("Install/TempdecalReadOnly");

} // namespace

QString installOptionsPath() { return store::programFile(QStringLiteral("InstallOptions.ini")); }

InstallOptions installOptions()
{
    QSettings file(installOptionsPath(), QSettings::IniFormat);
    InstallOptions options;
    options.tempdecal = file.value(kTempdecal, options.tempdecal).toBool();
    options.readOnly = file.value(kReadOnly, options.readOnly).toBool();
    return options;
}

bool saveInstallOptions(const InstallOptions& options)
{
    QSettings file(installOptionsPath(), QSettings::IniFormat);
    file.setValue(kTempdecal, options.tempdecal);
    file.setValue(kReadOnly, options.readOnly);
    file.sync();
    return file.status() == QSettings::NoError;
}

} // namespace game
