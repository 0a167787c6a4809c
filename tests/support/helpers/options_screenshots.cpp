// A review program, not a test: shows the editor options dialog on each of its five pages, the
// colour button's palette dropped down from the Highlighting page, and the key assignment wizard
// on both steps, and saves a picture of the screen with each. Run it under xvfb-run with openbox:
// options_screenshots <output folder>
#include "highlighter/highlighter_init.h"
#include "highlighter/language_parsers.h"
#include "highlighter/options/dfs_color_button.h"
#include "highlighter/options/highlighter_options_init.h"
#include "highlighter/options/key_assign_dialog.h"
#include "highlighter/options/options_dialog.h"
#include "highlighter/options/sm_hot_key.h"
#include "highlighter/syntax_memo_parser.h"

#include "editor/editor_init.h"
#include "editor/syntax_memo.h"

#include "platform/platform_init.h"
#include "platform/widgets/platform_widgets_init.h"

#include <QApplication>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScreen>
#include <QTabWidget>
#include <QTimer>
#include <functional>
#include <memory>
#include <utility>
#include <vector>

namespace {

QString out;

void Grab(QWidget* Window, const QString& Name)
{
    Window->screen()->grabWindow(0).save(out + Name + QStringLiteral(".png"));
}

// Runs the steps one after another, each after a pause that lets the window manager catch up.
void RunSteps(std::shared_ptr<std::vector<std::function<void()>>> Steps, std::size_t Index = 0)
{
    if (Index >= Steps->size())
        return;
    QTimer::singleShot(500, [Steps, Index] {
        (*Steps)[Index]();
        RunSteps(Steps, Index + 1);
    });
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    initPlatform();
    initPlatformWidgets();
    initEditor();
    initHighlighter();
    initHighlighterOptions();
    if (argc < 2)
        return 2;
    out = QString::fromLocal8Bit(argv[1]) + QLatin1Char('/');

    TComponent owner;
    std::vector<TSyntaxMemoParser*> parsers = CreateLanguageParsers(&owner);

    QTimer::singleShot(0, [&] {
        TOptionsDialog dialog;
        dialog.Parser = parsers.front();
        auto steps = std::make_shared<std::vector<std::function<void()>>>();
        const char* names[] = {"options-options", "options-highlighting", "options-keys", "options-autocorrect",
                               "options-templates"};
        for (int page = 0; page < 5; ++page)
            steps->push_back([&dialog, page, name = names[page]] {
                dialog.PageControl->setCurrentIndex(page);
                if (page == 2)
                    dialog.CommandDescListBox->setCurrentRow(3);
                if (page == 3)
                    for (auto [word, with] : {std::pair{"teh", "the"}, std::pair{"adn", "and"}, std::pair{"hte", "the"}}) {
                        dialog.ReplaceBox->setText(QLatin1String(word));
                        dialog.WithBox->setText(QLatin1String(with));
                        dialog.AutoReplButton1->click();
                    }
                if (page == 4) {
                    dialog.cteNameBox->setText(QStringLiteral("table"));
                    dialog.cteDescBox->setText(QStringLiteral("A table with one cell"));
                    dialog.SyntaxMemo1->SetText("<table>\r  <tr><td>|</td></tr>\r</table>");
                    dialog.CodeTemplateButton1->click();
                    dialog.cteListBox->setCurrentRow(-1);
                    dialog.cteListBox->setCurrentRow(0);
                }
                QTimer::singleShot(300, [&dialog, name] { Grab(&dialog, QLatin1String(name)); });
            });
        steps->push_back([&dialog] {
            dialog.PageControl->setCurrentWidget(dialog.HighlightingPage);
            dialog.ForegroundButton->DropDown();
        });
        steps->push_back([&dialog] {
            Grab(&dialog, QStringLiteral("palette"));
            if (dialog.ForegroundButton->Palette())
                dialog.ForegroundButton->Palette()->close();
        });
        steps->push_back([&dialog] {
            QTimer::singleShot(0, [&dialog] {
                dialog.PageControl->setCurrentWidget(dialog.KeysPage);
                dialog.CommandDescListBox->setCurrentRow(3);
                dialog.EditButton->click();
            });
            QTimer::singleShot(900, [] {
                auto* wizard = qobject_cast<TKeyAssignDialog*>(QApplication::activeModalWidget());
                if (!wizard)
                    return;
                Grab(wizard, QStringLiteral("wizard-step1"));
                wizard->NextButton->click();
                QTimer::singleShot(500, [wizard] {
                    Grab(wizard, QStringLiteral("wizard-step2"));
                    wizard->CancelButton->click();
                });
            });
        });
        for (int pause = 0; pause < 4; ++pause)
            steps->push_back([] {});
        steps->push_back([&dialog] { dialog.CancelButton->click(); });
        RunSteps(steps);
        dialog.Execute(AllPropEdPages);
        app.quit();
    });
    return app.exec();
}
