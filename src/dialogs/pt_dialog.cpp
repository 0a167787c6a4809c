// TPTDialog and its form data.
#include "dialogs/pt_dialog.h"

#include "platform/rtl/exception.h"
#include "platform/rtl/streams.h"

#include <QtEndian>

bool TPTDialog::Execute()
{
    if (executing_)
        throw Exception(ClassName() + QStringLiteral(" already executing"));
    executing_ = true;
    try {
        const bool result = DoExecute();
        executing_ = false;
        return result;
    } catch (...) {
        executing_ = false;
        throw;
    }
}

void WriteDialogFormData(TStream& Stream, const TPTDialog& Dialog)
{
    const std::int32_t width = qToLittleEndian<std::int32_t>(Dialog.FormWidth);
    const std::int32_t height = qToLittleEndian<std::int32_t>(Dialog.FormHeight);
    const std::uint8_t state = Dialog.FormWindowState;
    Stream.WriteBuffer(&width, 4);
    Stream.WriteBuffer(&height, 4);
    Stream.WriteBuffer(&state, 1);
}

void ReadDialogFormData(TStream& Stream, TPTDialog& Dialog)
{
    std::int32_t width = 0;
    std::int32_t height = 0;
    std::uint8_t state = 0;
    Stream.ReadBuffer(&width, 4);
    Stream.ReadBuffer(&height, 4);
    Stream.ReadBuffer(&state, 1);
    Dialog.FormWidth = qFromLittleEndian(width);
    Dialog.FormHeight = qFromLittleEndian(height);
    Dialog.FormWindowState = state <= wsMaximized ? TWindowState(state) : wsNormal;
}
