#pragma once

#include <QString>

#include <memory>

class QWidget;

namespace tarvik {

class frmMain;

// Questions put to the user with a Yes or No answer. In a window they are
// modal message boxes; in the terminal the question is printed and answered
// with a line. Tests put in their own answers.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual bool askYesNo(const QString &title, const QString &question) = 0;
};

// A modal box over `parent`.
std::unique_ptr<MessageBox> windowMessageBox(QWidget *parent);
// The question on the console, then "Yes/No" and a line read: yes or y,
// in any letter case, is Yes; anything else is No.
std::unique_ptr<MessageBox> consoleMessageBox(frmMain &console);

} // namespace tarvik
