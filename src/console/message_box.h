#pragma once

#include <QString>

#include <memory>

class QWidget;

namespace tarvik {

class frmMain;

// The title of every box the program shows under its own name, the same as
// its windows' caption.
QString applicationTitle();

// The icon of a message.
enum class BoxIcon { None, Information, Critical };

// Questions and messages put to the user. In a window they are modal message
// boxes; in the terminal the text is printed and a question is answered with
// a line. Tests put in their own answers.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    virtual bool askYesNo(const QString &title, const QString &question) = 0;
    // A message the user acknowledges with OK.
    virtual void inform(const QString &title, const QString &text, BoxIcon icon) = 0;
    // The same for a text with web or file addresses in it: a window offers
    // them as links and lets the user select and copy them.
    virtual void informWithAddresses(const QString &title, const QString &text, BoxIcon icon)
    {
        inform(title, text, icon);
    }
};

// `text` as rich text, with each http, https or file address made a link to
// itself and everything else shown as it is.
QString withLinks(const QString &text);

// A modal box over the active window, else over `parent` while it is shown.
std::unique_ptr<MessageBox> windowMessageBox(QWidget *parent);
// The question on the console, then "Yes/No" and a line read: yes or y,
// in any letter case, is Yes; anything else is No.
std::unique_ptr<MessageBox> consoleMessageBox(frmMain &console);

} // namespace tarvik
