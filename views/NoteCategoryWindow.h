#pragma once

#include "views/CategoryItemWindow.h"

// Header of a category of notes; the notes list never has one, so it only paints.
class CNoteCategoryWindow : public CCategoryItemWindow
{
public:
    using CCategoryItemWindow::CCategoryItemWindow;
};
