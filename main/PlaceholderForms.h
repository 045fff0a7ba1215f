#pragma once
// PLACEHOLDERS until their own windows are built: the picture player form11, the banner screen
// FRotFont and the password book Form1, each an empty window with its caption, so that the
// main window's menu and routines already reach a window of the right class. Their own
// folders replace these classes (delete them here when they land).
#include "runtime/Form.h"

class form11 : public rt::Form {
public:
    form11();
};

class FRotFont : public rt::Form {
public:
    FRotFont();
};

class Form1 : public rt::Form {
public:
    Form1();
};
