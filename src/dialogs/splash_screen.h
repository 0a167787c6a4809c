// TSplashScreen: the about box, with the product title and the licence agreement of the program's
// folder.
#pragma once

#include "platform/widgets/form.h"

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class TLabel;
class TPTGroup;

class TSplashScreen : public TForm {
    Q_OBJECT
public:
    explicit TSplashScreen(TComponent* AOwner = nullptr);

    // Shows the about box modally: titled "About <title>.0.0", with "license.txt" of the program's
    // folder in the memo under a line naming the product and an empty line, or the memo's own
    // text when there is no such file.
    static void ShowAbout();

    TPTGroup* Panel;
    QLabel* Image14;
    TLabel* lblAbout;
    QPlainTextEdit* Memo1;
    QFrame* Bevel1;
    QPushButton* Button1;

protected:
    bool eventFilter(QObject* Watched, QEvent* E) override;

private:
    void LoadLicense();
};
