// The remote properties dialog: the grid and the number kept in step, the number refused when
// the field is left or the dialog confirmed with a digit above 7, the answer record and OK.
#include "dialogs/ftp_properties_dlg.h"
#include "dialogs/permission_grid.h"

#include "platform/widgets/std_controls.h"
#include "support/registry_scope.h"
#include "support/scripted_prompts.h"

#include <QMessageBox>
#include <QPushButton>
#include <QTest>

#include <gtest/gtest.h>

namespace {

using TFormStep = std::function<void(TFtpPropertiesDlgFrm& Form)>;

TFtpPropertiesDlgFrm& Form(QDialog& Dialog)
{
    return static_cast<TFtpPropertiesDlgFrm&>(Dialog);
}

// The grid's cells row by row, as "rwx" texts with "-" for an empty cell.
QString GridText(const TPermissionGrid& Grid)
{
    QString text;
    for (int row = 0; row < 3; ++row)
        for (int column = 1; column <= 3; ++column)
            text += Grid.Cell(row, column) ? QString("rwx")[column - 1] : QChar('-');
    return text;
}

void TypeNumber(TFtpPropertiesDlgFrm& Form, const QString& Digits)
{
    Form.txtNumeric->setFocus(Qt::TabFocusReason);
    Form.txtNumeric->selectAll();
    QTest::keyClicks(Form.txtNumeric, Digits);
}

// The warning about Digits, answered with OK.
TScriptedPrompts::TStep InvalidNumeric(const QString& Digits)
{
    return [Digits](QDialog& Dialog) {
        auto* box = qobject_cast<QMessageBox*>(&Dialog);
        ASSERT_NE(box, nullptr);
        EXPECT_EQ(box->text(), "'" + Digits + "' is an invalid CHMOD numeric.");
        EXPECT_EQ(box->windowTitle(), "Warning");
        ButtonOf(Dialog, "OK")->click();
    };
}

int ShowProperties(TScriptedPrompts& Prompts, TFtpPropertiesAnswer& Answer, const TFormStep& Step,
        const QString& Permissions = "rwxr-xr-x")
{
    Prompts.Then([Step](QDialog& Dialog) { Step(Form(Dialog)); });
    return TFtpPropertiesDlgFrm::Execute("index.html", "/pub/www", "01/02/2024 10:00", "HTML document", "12 KB",
                                         Permissions, QPixmap(), Answer);
}

} // namespace

TEST(FtpProperties, ShowsTheItemAndTogglingACellRenumbers)
{
    TRegistryScope scope;
    TScriptedPrompts prompts;
    TFtpPropertiesAnswer answer;
    EXPECT_EQ(ShowProperties(prompts, answer, [](TFtpPropertiesDlgFrm& form) {
                  EXPECT_EQ(form.windowTitle(), "FTP Properties");
                  EXPECT_EQ(form.size(), QSize(359, 392));
                  EXPECT_EQ(form.txtFilename->text(), "index.html");
                  EXPECT_EQ(form.txtLocation->text(), "/pub/www");
                  EXPECT_EQ(form.txtNumeric->text(), "755");
                  EXPECT_EQ(GridText(*form.grdPermissions), "rwxr-xr-x");
                  auto* grid = form.findChild<TPermissionGrid*>("grdPermissions");
                  ASSERT_EQ(grid, form.grdPermissions);
                  EXPECT_EQ(grid->columnWidth(0), 144);
                  const QRect groupWrite = grid->visualRect(grid->model()->index(1, 2));
                  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, groupWrite.center());
                  EXPECT_EQ(form.txtNumeric->text(), "775");
                  QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                                    grid->visualRect(grid->model()->index(1, 0)).center()); // a title: nothing
                  EXPECT_EQ(form.txtNumeric->text(), "775");
                  form.btnOk->click();
              }),
              1);
    EXPECT_TRUE(answer.Changed);
    EXPECT_EQ(answer.Mode, 775);
    EXPECT_EQ(answer.NewName, "index.html");
}

TEST(FtpProperties, NumbersTypedAndLeft)
{
    TRegistryScope scope;
    TScriptedPrompts prompts;
    TFtpPropertiesAnswer answer;
    ShowProperties(prompts, answer, [&](TFtpPropertiesDlgFrm& form) {
        TypeNumber(form, "5");
        form.txtFilename->setFocus(Qt::TabFocusReason); // leaving sets the grid
        EXPECT_EQ(GridText(*form.grdPermissions), "------r-x");

        TypeNumber(form, "644");
        prompts.Then(InvalidNumeric("79"));
        form.txtFilename->setFocus(Qt::TabFocusReason);
        TypeNumber(form, "79");
        form.txtFilename->setFocus(Qt::TabFocusReason);
        EXPECT_EQ(form.txtNumeric->text(), "644"); // the number the field had when entered
        EXPECT_EQ(GridText(*form.grdPermissions), "rw-r--r--");

        QTest::keyClicks(form.txtNumeric, "x-"); // digits only
        EXPECT_EQ(form.txtNumeric->text(), "644");
        form.Button2->click();
    });
    EXPECT_FALSE(answer.Changed);
    EXPECT_EQ(answer.Mode, 755);
}

TEST(FtpProperties, EnterWithAnInvalidNumberKeepsTheDialogOpen)
{
    TRegistryScope scope;
    TScriptedPrompts prompts;
    TFtpPropertiesAnswer answer;
    EXPECT_EQ(ShowProperties(prompts, answer, [&](TFtpPropertiesDlgFrm& form) {
                  TypeNumber(form, "79");
                  prompts.Then(InvalidNumeric("79"));
                  QTest::keyClick(form.txtNumeric, Qt::Key_Return);
                  EXPECT_TRUE(form.isVisible());
                  EXPECT_EQ(form.txtNumeric->text(), "755");
                  TypeNumber(form, "750");
                  QTest::keyClick(form.txtNumeric, Qt::Key_Return);
                  EXPECT_FALSE(form.isVisible());
              }),
              1);
    EXPECT_EQ(answer.Mode, 750);
    EXPECT_TRUE(answer.Changed);
}

TEST(FtpProperties, ChangedAnswersAndTheName)
{
    TRegistryScope scope;
    const struct {
        const char* Name;
        bool Changed;
    } cases[] = {{"index.html", false}, {"index.htm", true}, {"Index.html", true}};
    for (const auto& c : cases) {
        TScriptedPrompts prompts;
        TFtpPropertiesAnswer answer;
        EXPECT_EQ(ShowProperties(prompts, answer, [&](TFtpPropertiesDlgFrm& form) {
                      form.txtFilename->clear();
                      EXPECT_FALSE(form.btnOk->isEnabled());
                      QTest::keyClicks(form.txtFilename, c.Name);
                      EXPECT_TRUE(form.btnOk->isEnabled());
                      QTest::keyClick(form.txtFilename, Qt::Key_Return);
                  }),
                  1);
        EXPECT_EQ(answer.Changed, c.Changed) << c.Name;
        EXPECT_EQ(answer.NewName, c.Name);
        EXPECT_EQ(answer.Mode, 755);
    }
    // Odd permission texts read as their mode; "---r--r--" shows 44.
    TScriptedPrompts prompts;
    TFtpPropertiesAnswer answer;
    ShowProperties(
        prompts, answer,
        [](TFtpPropertiesDlgFrm& form) {
            EXPECT_EQ(form.txtNumeric->text(), "44");
            form.btnOk->click();
        },
        "----r--r--");
    EXPECT_FALSE(answer.Changed);
    EXPECT_EQ(answer.Mode, 44);
}
