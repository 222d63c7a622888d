#pragma once

#include <QtGlobal>

#include "dialogs/CTemplateDialog.h"

// The control of that id as T; a missing control stops the test run with its id.
template <class T>
T& Control(const CTemplateDialog& dialog, int nId) {
    T* pControl = dynamic_cast<T*>(dialog.GetDlgItem(nId));
    if (pControl == nullptr) {
        qFatal("%s has no control %d of the expected kind", qPrintable(dialog.objectName()), nId);
    }
    return *pControl;
}
