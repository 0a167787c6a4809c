// TMainFormTest: a test with its own registry and data folder that makes the main window.
#pragma once

#include "support/registry_scope.h"
#include "support/temp_tree.h"

#include "app/main_form.h"
#include "platform/ui/message_dialogs.h"
#include "settings/app_settings.h"
#include "settings/bookmarks.h"
#include "settings/firewalls.h"
#include "settings/upload_profiles.h"

#include <gtest/gtest.h>

#include <QStringList>
#include <memory>

class TMainFormTest : public ::testing::Test {
protected:
    TMainFormTest() : dataHome_(Tree.Path(QStringLiteral("data")))
    {
        oldMessages_ = SetMessageDlgHandler([this](const QString& Msg, TMsgDlgType, TMsgDlgButtons) {
            Messages += Msg;
            return MessageAnswer;
        });
    }
    ~TMainFormTest() override
    {
        Form.reset();
        SetMessageDlgHandler(oldMessages_);
        FreeGlobals();
    }

    // The window, made as the program makes it (its start-up message not yet delivered). With
    // WithProfile a server profile exists, so that the start-up work asks nothing.
    TTarnwickFTPApp& MakeForm(bool WithProfile = true)
    {
        if (WithProfile && UploadProfiles()->Profiles()->Count() == 0)
            UploadProfiles()->Add()->ItemName = QStringLiteral("fixture");
        Form = std::make_unique<TTarnwickFTPApp>();
        return *Form;
    }
    // Frees the window (which saves its settings) and the settings objects, which write the registry.
    void CloseForm()
    {
        Form.reset();
        FreeGlobals();
        Registry.Reload();
    }
    static void FreeGlobals()
    {
        AppSettings(1);
        UploadProfiles(1);
        Firewalls(1);
        Bookmarks(1);
    }

    TRegistryScope Registry;
    TTempTree Tree;
    std::unique_ptr<TTarnwickFTPApp> Form;
    // What the message boxes said, and the answer they all give.
    QStringList Messages;
    int MessageAnswer = 1;

private:
    TDataHomeScope dataHome_;
    TMessageDlgHandler oldMessages_;
};
