#include "console/message_box.h"

#include "console/frm_main.h"

#include <QMessageBox>

namespace tarvik {

namespace {

class WindowMessageBox : public MessageBox {
public:
    explicit WindowMessageBox(QWidget *parent) : m_parent(parent) {}

    bool askYesNo(const QString &title, const QString &question) override
    {
        return QMessageBox::question(m_parent, title, question, QMessageBox::Yes | QMessageBox::No) ==
               QMessageBox::Yes;
    }

private:
    QWidget *m_parent;
};

class ConsoleMessageBox : public MessageBox {
public:
    explicit ConsoleMessageBox(frmMain &console) : m_console(console) {}

    bool askYesNo(const QString &, const QString &question) override
    {
        m_console.PrintLn(question);
        m_console.PrintLn("Yes/No");
        const QString answer = m_console.getInput().trimmed();
        return answer.compare(QLatin1String("yes"), Qt::CaseInsensitive) == 0 ||
               answer.compare(QLatin1String("y"), Qt::CaseInsensitive) == 0;
    }

private:
    frmMain &m_console;
};

} // namespace

std::unique_ptr<MessageBox> windowMessageBox(QWidget *parent)
{
    return std::make_unique<WindowMessageBox>(parent);
}

std::unique_ptr<MessageBox> consoleMessageBox(frmMain &console)
{
    return std::make_unique<ConsoleMessageBox>(console);
}

} // namespace tarvik
