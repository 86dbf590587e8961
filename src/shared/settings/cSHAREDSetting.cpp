#include "shared/settings/cSHAREDSetting.h"

namespace wexlo {

bool SettingValue::toBool() const
{
    if (const bool* b = std::get_if<bool>(&v_))
        return *b;
    return false;
}

}  // namespace wexlo
