#include "ConfigSave.h"

#include "app/Forms.h"
#include "app/MessageBox.h"
#include "app/Unit1.h"
#include "store/Table.h"

namespace settings {

store::Table& configTable() { return forms().Form1->Table2(); }

QString configText(int field) { return configTable().text(field); }

bool fitsConfigField(int field, const QString& text)
{
    if (text.size() > configTable().def().fields[field].width)
        return false;
    for (const QChar c : text)
        if (c.unicode() > 0xff)
            return false;
    return true;
}

void reportUnstorablePath()
{
    app::MessageBox::plain(QStringLiteral("This path is too long or holds characters that cannot be stored, "
                                          "please choose another one."));
}

void saveConfig(const std::function<void(store::Table&)>& setFields)
{
    store::Table& table = configTable();
    table.edit();
    try {
        setFields(table);
        table.post();
    } catch (...) {
        if (table.isEditing())
            table.cancel();
        throw;
    }
}

} // namespace settings
