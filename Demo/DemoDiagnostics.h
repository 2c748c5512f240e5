#pragma once

#include <QImage>
#include <QString>
#include <QWidget>

class TestForm;

// What the demonstration program tells a machine without a display: a picture of the form and a
// report of its state and of the process's timing and memory.
namespace demo {

// The window as shown, with what lies outside its clipping region transparent.
QImage renderWindow(QWidget *window);

// A text report, one "key: value" a line: the combo box's entries, the picture box's place and
// size, what the input box shows, the form's outline.
QString stateReport(TestForm &form);

} // namespace demo
