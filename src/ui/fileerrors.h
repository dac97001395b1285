#pragma once
#include "records/recordfiles.h"

class QWidget;

// Shows a failed file operation as its warning box. Returns true when it failed,
// so that a handler can stop: if (showFileError(this, r)) return;
bool showFileError(QWidget *parent, const FileResult &r);
