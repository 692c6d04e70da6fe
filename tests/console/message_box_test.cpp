// The links a message box makes of the addresses in its text.
#include "console/message_box.h"

#include <gtest/gtest.h>

using tarvik::withLinks;

TEST(MessageBoxLinks, AddressesBecomeLinksAndEverythingElseStaysText)
{
    struct Case {
        QString text;
        QString html;
    };
    const Case cases[] = {
        {"6 - result id = 1", "6 - result id = 1"},
        {"32M: http://s:8/score.cgi?id=7&x=1\nnext",
         "32M: <a href=\"http://s:8/score.cgi?id=7&amp;x=1\">http://s:8/score.cgi?id=7&amp;x=1</a><br>next"},
        {"see https://a/b, or file:///home/ann/Downloads/Tarvik",
         "see <a href=\"https://a/b\">https://a/b</a>, or "
         "<a href=\"file:///home/ann/Downloads/Tarvik\">file:///home/ann/Downloads/Tarvik</a>"},
        // Markup in a server's reply is shown, never obeyed.
        {"<b>id</b> 'x' \"y\"", "&lt;b&gt;id&lt;/b&gt; 'x' &quot;y&quot;"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(withLinks(c.text), c.html) << c.text.toStdString();
}
