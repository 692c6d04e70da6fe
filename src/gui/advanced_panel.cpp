#include "gui/advanced_panel.h"

#include "gui/gui_console.h"
#include "gui/link_label.h"
#include "gui/text_fit.h"
#include "gui/thread_count.h"
#include "gui/twips.h"

#include <QLabel>
#include <QLineEdit>

namespace tarvik::gui {

AdvancedPanel::AdvancedPanel(GuiConsole &console, QWidget *parent)
    : PopupPanel(QStringLiteral("Advanced Settings"), parent),
      txtThreadF(new QLineEdit(this)),
      lblSaveAdv(new LinkLabel(QStringLiteral("Save"), this)),
      lblCancelAdv(new LinkLabel(QStringLiteral("Cancel"), this)),
      m_console(console)
{
    auto *title = new QLabel(QStringLiteral("Thread Count:"), this);
    QFont bold = title->font();
    bold.setBold(true);
    title->setFont(bold);
    placeTwips(title, 120, 360, 4455, 255);
    fitText(title);
    placeTwips(txtThreadF, 4800, 360, 1695, 285);
    title->setBuddy(txtThreadF);
    txtThreadF->setAccessibleName(QStringLiteral("Thread Count"));
    txtThreadF->setAccessibleDescription(QStringLiteral("The number of worker threads, 1 to 256"));

    auto *explanation = new QLabel(
        QStringLiteral("The amount of threads you wish to use. This idealy should be equal to the amount of logical "
                       "CPU threads you have. Tarvik attempts to match the amount of threads to the amount of CPU's "
                       "detected, however, it's been reported that Windows Vista reports Dual Core and "
                       "Hyperthreaded chips as a single CPU, so it may be neccessary to specify this manually."),
        this);
    explanation->setWordWrap(true);
    explanation->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    placeTwips(explanation, 120, 720, 6495, 855);
    fitText(explanation);

    placeTwips(lblSaveAdv, 2040, 2280, 1215, 255);
    placeTwips(lblCancelAdv, 3360, 2280, 1215, 255);
    connect(lblSaveAdv, &LinkLabel::clicked, this, &AdvancedPanel::lblSaveAdv_Click);
    connect(lblCancelAdv, &LinkLabel::clicked, this, &QWidget::hide);
}

void AdvancedPanel::openWithThreads()
{
    txtThreadF->setText(QString::number(m_console.threadCount()));
    open();
}

void AdvancedPanel::lblSaveAdv_Click()
{
    // The text goes to "ft" as typed, blanks and decimals included: the
    // console reads it by its own rule.
    const QString text = txtThreadF->text();
    switch (checkThreadCount(text.toStdString(), m_console.decimalSeparator())) {
    case ThreadCountCheck::NotANumber:
        refuse(QStringLiteral("Invalid Thread Count"));
        return;
    case ThreadCountCheck::OutOfRange:
        refuse(QStringLiteral("Thread count must be from 1 to 256."));
        return;
    case ThreadCountCheck::Accepted:
        m_console.enterLine("ft " + text);
        hide();
        return;
    }
}

void AdvancedPanel::refuse(const QString &message)
{
    m_console.messages().inform(QStringLiteral("Error"), message, BoxIcon::Critical);
}

} // namespace tarvik::gui
