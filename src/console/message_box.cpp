#include "console/message_box.h"

#include "console/frm_main.h"
#include "foundation/product.h"

#include <QApplication>
#include <QMessageBox>
#include <QRegularExpression>

namespace tarvik {

namespace {

class WindowMessageBox : public MessageBox {
public:
    explicit WindowMessageBox(QWidget *parent) : m_parent(parent) {}

    bool askYesNo(const QString &title, const QString &question) override
    {
        return QMessageBox::question(owner(), title, question, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
    }

    void inform(const QString &title, const QString &text, BoxIcon icon) override
    {
        QMessageBox box(boxIcon(icon), title, text, QMessageBox::Ok, owner());
        box.exec();
    }

    void informWithAddresses(const QString &title, const QString &text, BoxIcon icon) override
    {
        QMessageBox box(boxIcon(icon), title, withLinks(text), QMessageBox::Ok, owner());
        box.setTextFormat(Qt::RichText);
        // Links open in the browser or the file manager; the text can be
        // selected and copied, for when neither can be started.
        box.setTextInteractionFlags(Qt::TextBrowserInteraction | Qt::TextSelectableByKeyboard);
        box.exec();
    }

private:
    // The console may be hidden behind the front end; a box belongs to the
    // window the user is looking at, or to none (centred on the screen).
    QWidget *owner() const
    {
        if (QWidget *active = QApplication::activeWindow())
            return active;
        return m_parent->isVisible() ? m_parent : nullptr;
    }

    static QMessageBox::Icon boxIcon(BoxIcon icon)
    {
        switch (icon) {
        case BoxIcon::Information:
            return QMessageBox::Information;
        case BoxIcon::Critical:
            return QMessageBox::Critical;
        case BoxIcon::None:
            break;
        }
        return QMessageBox::NoIcon;
    }

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

    void inform(const QString &, const QString &text, BoxIcon) override { m_console.PrintLn(text); }

private:
    frmMain &m_console;
};

} // namespace

QString withLinks(const QString &text)
{
    // A full stop or comma after an address ends the sentence, not the address.
    static const QRegularExpression address(QStringLiteral(R"((?:https?|file)://[^\s<>"']*[^\s<>"'.,;:!?)])"));
    QString html;
    qsizetype done = 0;
    for (const QRegularExpressionMatch &match : address.globalMatch(text)) {
        html += text.mid(done, match.capturedStart() - done).toHtmlEscaped();
        const QString link = match.captured().toHtmlEscaped();
        html += QStringLiteral("<a href=\"%1\">%1</a>").arg(link);
        done = match.capturedEnd();
    }
    html += text.mid(done).toHtmlEscaped();
    return html.replace('\n', QStringLiteral("<br>"));
}

QString applicationTitle()
{
    return QString::fromUtf8(ProductTitle);
}

std::unique_ptr<MessageBox> windowMessageBox(QWidget *parent)
{
    return std::make_unique<WindowMessageBox>(parent);
}

std::unique_ptr<MessageBox> consoleMessageBox(frmMain &console)
{
    return std::make_unique<ConsoleMessageBox>(console);
}

} // namespace tarvik
