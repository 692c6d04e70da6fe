#include "cli/desktop_identity.h"

#include <QGuiApplication>
#include <QIcon>

#include <gtest/gtest.h>

TEST(DesktopIdentity, WindowsCarryTheProgramsIconAndLauncherName)
{
    tarvik::cli::showDesktopIdentity();
    const QIcon icon = QGuiApplication::windowIcon();
    ASSERT_FALSE(icon.isNull()); // the icon is built into the program
    EXPECT_EQ(icon.actualSize(QSize(48, 48)), QSize(48, 48));
    EXPECT_EQ(QGuiApplication::desktopFileName(), "org.morlo.Tarvik");
}
