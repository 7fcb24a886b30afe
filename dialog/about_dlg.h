// The About box: the program's icon, name and version, on template 100.
#pragma once

#include "dialog.h"

class CAboutDlg : public CDialog {
public:
    CAboutDlg();

protected:
    // Centres the box over its owner.
    BOOL OnInitDialog() override;
};
