#include "console/frm_main.h"
#include "console/settings.h"
#include "engine/console_commands.h"
#include "foundation/protocol.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QPlainTextEdit>
#include <QScrollBar>
#include <QSettings>
#include <QTest>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

using namespace tarvik;

namespace {

class ConsoleWindow : public ::testing::Test {
protected:
    void SetUp() override
    {
        qputenv("XDG_CONFIG_HOME", m_home.path().toUtf8());
        qputenv("TARVIK_SYSTEM_DIR", (m_home.path() + "/system").toUtf8());
        addConsoleCommands(console);
    }

    // Answers the next getInput as if `line` was typed and entered.
    void typeLater(const QString &line)
    {
        QTimer::singleShot(0, &console, [this, line] {
            console.inputField()->setText(line);
            console.txtConsole_KeyDown(EnterKey, 0);
        });
    }

    QTemporaryDir m_home;
    frmMain console{LaunchOptions{}};
};

} // namespace

TEST_F(ConsoleWindow, NewLinesDoNotPullAViewScrolledBackButFollowAtTheEnd)
{
    console.resize(400, 200);
    console.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&console));
    QScrollBar *scroll = console.findChild<QPlainTextEdit *>()->verticalScrollBar();
    for (int i = 0; i < 100; ++i)
        console.PrintLn(QString::number(i));
    ASSERT_GT(scroll->maximum(), 20);
    EXPECT_EQ(scroll->value(), scroll->maximum()) << "follows while at the end";

    scroll->setValue(10); // the user scrolls back to read
    console.PrintLn("while reading");
    console.PrintCh(">");
    QTest::qWait(50); // the pane lays out and paints what it got
    EXPECT_EQ(scroll->value(), 10);

    scroll->setValue(scroll->maximum()); // and down to the end again
    console.PrintLn("followed");
    EXPECT_EQ(scroll->value(), scroll->maximum());
    EXPECT_TRUE(console.paneText().endsWith(">followed\n"));
}

TEST_F(ConsoleWindow, PaneClearsOnceItHolds32000Characters)
{
    const QString line(98, 'x'); // 100 characters with the line end
    for (int i = 0; i < 320; ++i)
        console.PrintLn(line);
    EXPECT_EQ(console.paneText().size(), 320 * 99);
    console.PrintLn("next");
    EXPECT_EQ(console.paneText(), "Clearing console\nnext\n");

    // PrintCh never clears, but pushes the pane over the limit for PrintLn.
    console.PrintCh(QString(32000, 'y'));
    EXPECT_TRUE(console.paneText().endsWith('y'));
    console.PrintLn("after");
    EXPECT_EQ(console.paneText(), "Clearing console\nafter\n");
}

TEST_F(ConsoleWindow, LineInputEchoesAfterThePrompt)
{
    typeLater("st 6");
    EXPECT_EQ(console.getInput(), "st 6");
    typeLater("");
    EXPECT_EQ(console.getInput(), "");
    EXPECT_EQ(console.paneText(), ">st 6\n>\n");
    EXPECT_FALSE(console.inputField()->isVisible());

    // Enter pressed while nobody waits is forgotten by the next wait.
    console.txtConsole_KeyDown(EnterKey, 0);
    typeLater("pr");
    EXPECT_EQ(console.getInput(), "pr");
}

TEST_F(ConsoleWindow, SubmitterNameIsStoredOnlyWhenItChanges)
{
    console.loadUserName();
    EXPECT_EQ(console.stor_name, "");
    console.saveUserName("Ann");
    EXPECT_EQ(settings::read("Stor_name", "?"), "Ann");
    settings::write("Stor_name", "changed elsewhere");
    console.saveUserName("Ann"); // same name: the store is left alone
    EXPECT_EQ(settings::read("Stor_name", "?"), "changed elsewhere");
    console.saveUserName("ann"); // letter case counts
    EXPECT_EQ(settings::read("Stor_name", "?"), "ann");
    QSettings file(m_home.path() + "/Morlo/Tarvik.conf", QSettings::IniFormat);
    EXPECT_EQ(file.value("Tarvik/Stor_name").toString(), "ann");
}

TEST_F(ConsoleWindow, LibraryExistLooksInTheSystemFolder)
{
    EXPECT_FALSE(console.LibraryExist("cpuz141.exe"));
    QFile library(settings::systemFolder() + "/cpuz141.exe");
    ASSERT_TRUE(library.open(QIODevice::WriteOnly));
    library.close();
    EXPECT_TRUE(console.LibraryExist("cpuz141.exe"));
    EXPECT_TRUE(console.paneText().isEmpty());
}

TEST_F(ConsoleWindow, AfterAResizeTheLastLineAndThePromptStayInView)
{
    console.show();
    for (int i = 0; i < 100; ++i)
        console.PrintLn("line " + QString::number(i));
    auto *pane = console.findChild<QPlainTextEdit *>();
    QTimer::singleShot(0, &console, [&] {
        for (const QSize size : {QSize(473, 200), QSize(300, 120), QSize(473, 418)}) {
            console.resize(size);
            QCoreApplication::processEvents();
            EXPECT_EQ(pane->verticalScrollBar()->value(), pane->verticalScrollBar()->maximum());
            // The input field sits inside the window, right after the prompt.
            const QRect field = console.inputField()->geometry();
            EXPECT_TRUE(console.rect().contains(field)) << size.height();
            QTextCursor end = pane->textCursor();
            end.movePosition(QTextCursor::End);
            const QPoint caret = pane->viewport()->mapTo(&console, pane->cursorRect(end).topLeft());
            EXPECT_EQ(field.left(), caret.x());
            EXPECT_LE(std::abs(field.top() - caret.y()), 1);
        }
        console.txtConsole_KeyDown(EnterKey, 0);
    });
    console.getInput();
}

TEST_F(ConsoleWindow, TheCopyKeyInTheInputFieldCopiesTextSelectedInThePane)
{
    console.show();
    console.PrintLn("Process completed in 1.5 seconds.");
    auto *pane = console.findChild<QPlainTextEdit *>();
    QTimer::singleShot(0, &console, [&] {
        QTextCursor selection = pane->textCursor();
        selection.setPosition(0);
        selection.setPosition(7, QTextCursor::KeepAnchor);
        pane->setTextCursor(selection);
        QTest::keyClick(console.inputField(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "Process");
        // With text selected in the field, the field copies its own.
        console.inputField()->setText("st 6");
        console.inputField()->selectAll();
        QTest::keyClick(console.inputField(), Qt::Key_C, Qt::ControlModifier);
        EXPECT_EQ(QGuiApplication::clipboard()->text(), "st 6");
        console.txtConsole_KeyDown(EnterKey, 0);
    });
    console.getInput();
}
