// The prompt service in use and the default one.
#include "platform/widgets/prompt_service.h"

#include "platform/ui/screen.h"

#include <QDialog>

namespace {

class TModalLoopService : public TPromptService {
public:
    int Execute(QDialog& Dialog) override { return Dialog.exec(); }
};

TModalLoopService DefaultService;
TPromptService* Installed = nullptr;

} // namespace

TPromptService& PromptService()
{
    return Installed ? *Installed : DefaultService;
}

TPromptService* SetPromptService(TPromptService* Service)
{
    return std::exchange(Installed, Service);
}

int ExecModal(QDialog& Dialog)
{
    const TCursor saved = Screen().Cursor();
    Screen().SetCursor(crDefault);
    struct Restore {
        TCursor cursor;
        ~Restore() { Screen().SetCursor(cursor); }
    } restore{saved};
    return PromptService().Execute(Dialog);
}
