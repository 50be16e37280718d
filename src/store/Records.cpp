#include "Records.h"

namespace store {

const TableDef& logoTableDef()
{
    static const TableDef def = [] {
        TableDef d;
        d.name = QStringLiteral("LogoDB");
        d.fields.push_back({QStringLiteral("Page Title"), FieldKind::Text, LogoPage::kTitleWidth});
        for (int n = 1; n <= LogoPage::kSlots; ++n) {
            d.fields.push_back({QStringLiteral("Picture %1 Title").arg(n), FieldKind::Text, LogoPage::kTitleWidth});
            d.fields.push_back({QStringLiteral("Picture %1").arg(n), FieldKind::Picture, 0});
        }
        d.keyField = LogoPage::PageTitle;
        return d;
    }();
    return def;
}

const TableDef& configTableDef()
{
    static const TableDef def{QStringLiteral("ConfigDB"),
                              {{QStringLiteral("Config"), FieldKind::Text, 255},
                               {QStringLiteral("ConfigSaved"), FieldKind::Text, 3},
                               {QStringLiteral("WaitTime"), FieldKind::Text, 3},
                               {QStringLiteral("ExtraConfig"), FieldKind::Text, 255},
                               {QStringLiteral("ExtraConfigSaved"), FieldKind::Text, 3}},
                              -1};
    return def;
}

const TableDef& switchTableDef()
{
    static const TableDef def{QStringLiteral("SwitchDB"),
                              {{QStringLiteral("TempImage"), FieldKind::Picture, 0},
                               {QStringLiteral("TempImageTitle"), FieldKind::Text, 15},
                               {QStringLiteral("Nickname"), FieldKind::Text, 20}},
                              -1};
    return def;
}

} // namespace store
