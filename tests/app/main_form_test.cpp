// The main form starts with the application's title and frees what it owns before it goes.
#include "app/main_form.h"
#include "platform/rtl/application.h"

#include <gtest/gtest.h>

#include <QApplication>

TEST(MainForm, ShowsTheProgramTitleAndFreesOwnedComponents)
{
    struct Probe : TComponent {
        using TComponent::TComponent;
        bool* freed;
        ~Probe() override { *freed = true; }
    };
    bool freed = false;
    {
        TTarnwickFTPApp form;
        (new Probe(&form))->freed = &freed;
        form.show();
        EXPECT_EQ(form.windowTitle(), QString());
        EXPECT_EQ(QApplication::applicationDisplayName(), "Tarnwick Halyard FTP 5.2");
        EXPECT_FALSE(form.grab().isNull());
    }
    EXPECT_TRUE(freed);
}
