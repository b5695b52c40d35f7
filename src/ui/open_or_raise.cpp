// The rule both modeless dialogs open by.
#include "ui/open_or_raise.h"

#include "player/host_contract.h"

// A handle whose window has gone without telling us (destroyed along with
// its owner, say) would otherwise block every later opening.
HWND OpenOrRaise(HWND dialog, int resourceId, DLGPROC procedure) {
    if (dialog && IsWindow(dialog)) {
        SetForegroundWindow(dialog);
        return dialog;
    }
    return CreateDialogParamA(PluginModule(), MAKEINTRESOURCEA(resourceId), MainWindow(), procedure, 0);
}
