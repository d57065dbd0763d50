#include "mainwindow/frmIcon.h"

FrmIconForm& frmIcon() { return platform::forms::DefaultInstance<FrmIconForm>(); }
