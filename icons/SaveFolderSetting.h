// Where the icon panes remember the folder the user last saved into; the application hands it in,
// so that icons/ never reads the settings itself.
#pragma once

#include "Framework.h"

#include <functional>

struct SaveFolderSetting {
    std::function<CString()> load;                 // the folder the batch save offers
    std::function<void(const char* folder)> store; // remembers a folder
    std::function<CString()> remembered;           // the folder last saved into; "" when none
};
