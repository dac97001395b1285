#include "ui/fileerrors.h"

#include "ui/dialogs.h"

bool showFileError(QWidget *parent, const FileResult &r) {
    if (r.ok()) return false;
    Dialogs::warning(parent, r.message, r.title);
    return true;
}
