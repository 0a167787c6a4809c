// Fuzz target: a file drop target driven by a script of drag calls over a data object offering a
// dropped file list of any bytes. No call throws or crashes, the effect given back is at most one
// effect (and none after a refused drop), and the files are gone once the drag ends.
//
// Input: a byte of settings (bit 0: data on enter; bit 1: optimized move; bits 2-4: the drag
// types), a byte of allowed effects, a byte of key state, a byte of four calls (two bits each:
// enter, over, leave, drop), then the CF_HDROP block.
#include "../platform/fake_data_object.h"
#include "dragdrop/drop_file_target.h"
#include "platform/platform_init.h"
#include "platform/rtl/string_list.h"

#include <QCoreApplication>
#include <cstdint>
#include <cstdlib>

namespace {

using namespace win;

bool AtMostOneEffect(DWORD Effect)
{
    const DWORD effects = Effect & (DROPEFFECT_COPY | DROPEFFECT_MOVE | DROPEFFECT_LINK);
    return (effects & (effects - 1)) == 0;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static int argc = 1;
    static char name[] = "drop_target_calls";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    static const bool started = (initPlatform(), true);
    (void)started;
    if (size < 4)
        return 0;

    TDropFileTarget target(nullptr);
    target.GetDataOnEnter = data[0] & 1;
    target.OptimizedMove = data[0] & 2;
    target.Dragtypes = TDragTypes((data[0] >> 2) & 7);
    const DWORD allowed = data[1] & 7;
    const DWORD keys = data[2];
    target.OnDrop = [&](TObject*, TShiftState, QPoint, DWORD&) { target.GetFiles().Text(); };

    const auto object = MakeComObject<FakeDataObject>();
    object->Offer(CF_HDROP, QByteArray(reinterpret_cast<const char*>(data + 4), qsizetype(size - 4)));
    const POINTL point{1, 1};
    for (int step = 0; step < 4; ++step) {
        DWORD effect = allowed;
        HRESULT result = S_OK;
        switch ((data[3] >> (2 * step)) & 3) {
        case 0:
            result = target.DragEnter(object.Get(), keys, point, &effect);
            break;
        case 1:
            result = target.DragOver(keys, point, &effect);
            break;
        case 2:
            target.DragLeave();
            effect = 0;
            break;
        case 3:
            result = target.Drop(object.Get(), keys, point, &effect);
            if (target.GetFiles().Count() != 0 || target.DataObject())
                std::abort();
            break;
        }
        if (!AtMostOneEffect(effect) || (FAILED(result) && effect != 0))
            std::abort();
    }
    return 0;
}
