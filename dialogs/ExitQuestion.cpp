#include "dialogs/ExitQuestion.h"

#include "config/CKvlApplication.h"

bool UserConfirmsExit() {
    return KvlMessageBox("Are you sure you want to exit?", MessageBoxType::YesNo) !=
           MessageBoxResult::No;
}
