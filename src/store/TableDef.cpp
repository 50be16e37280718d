#include "TableDef.h"

namespace store {

int TableDef::indexOf(const QString& field) const
{
    for (int i = 0; i < fields.size(); ++i)
        if (fields[i].name == field)
            return i;
    return -1;
}

} // namespace store
