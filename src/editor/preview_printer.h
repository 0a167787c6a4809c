// TPreviewPrinter, a document recorded as metafile pages that the print preview shows and the
// printer prints; TPageMetaFileCanvas, the canvas a page is recorded on; EAssertionFailed, the
// error of a call in the wrong state.
#pragma once

#include "editor/text_options.h"

#include "platform/graphics/metafile.h"
#include "platform/rtl/exception.h"
#include "platform/rtl/object.h"

#include <QString>
#include <functional>
#include <memory>
#include <vector>

class QPainter;
class QRect;
class TCustomSyntaxMemo;

enum TPrinterOrientation { poPortrait, poLandscape };
enum TUnits { unInches, unCentimeters };
enum TZoomOption { zoFitToPage, zoFitToWidth, zoTwoPages, zoCustom };

// The kinds of status a preview printer reports.
constexpr int stPaginating = 0;
constexpr int stPrinting = 1;
constexpr int stPaginationComplete = 2;
constexpr int stJobComplete = 3;
// Reports progress: the message, the page it is about (-1: none) and the kind of status.
using TStatusProc = std::function<void(TObject* Sender, const QString& StatMsg, int PageNum, int StatusType)>;

// A call made in a state that does not allow it.
class EAssertionFailed : public Exception {
public:
    using Exception::Exception;
};

// The canvas of one page, at the resolution of the device the pages are laid out for.
class TPageMetaFileCanvas : public TMetafileCanvas {
public:
    TPageMetaFileCanvas(TMetafile& Page, int PixelsPerInch)
        : TMetafileCanvas(Page, PixelsPerInch), PixelsPerInch(PixelsPerInch)
    {
    }

    const int PixelsPerInch;
};

// Draws a recorded page stretched from its own size into Target.
void DrawPage(QPainter& Painter, const TMetafile& Page, const QRect& Target);

class TPreviewPrinter : public TComponent {
public:
    explicit TPreviewPrinter(TComponent* AOwner = nullptr);
    ~TPreviewPrinter() override;

    // --- the document: pages recorded between BeginDoc and EndDoc ---
    // Frees the pages there were and starts the first.
    void BeginDoc();
    // Starts another page; outside a document raises EAssertionFailed "Assertion failure".
    void NewPage();
    // Completes the last page; a last page whose canvas was never asked for is dropped.
    void EndDoc();
    bool InDocument() const { return inDocument_; }
    // The current page's canvas; outside a document raises EAssertionFailed "Canvas is not
    // available before BeginDoc".
    TPageMetaFileCanvas& Canvas();
    int PageCount() const { return int(pages_.size()); }
    TMetafile& Page(int Index) { return *pages_[std::size_t(Index)]; }

    // --- the device the pages are laid out for: the printer when the system lists one, else a
    // letter page at the screen's resolution ---
    int PixelsPerInchX() const { return pixelsPerInchX_; }
    int PixelsPerInchY() const { return pixelsPerInchY_; }
    int PhysicalWidth() const { return physicalWidth_; }
    int PhysicalHeight() const { return physicalHeight_; }
    int PhysicalOffsetX() const { return physicalOffsetX_; }
    int PhysicalOffsetY() const { return physicalOffsetY_; }

    // --- units: margins are in inches or centimetres ---
    TUnits Units() const { return units_; }
    void SetUnits(TUnits Value);
    double UnitFactor() const { return unitFactor_; }
    // Value in the units as device pixels, halves to even.
    int HorzUnitsToPixels(double Value) const;
    int VertUnitsToPixels(double Value) const;

    TTextOptions& TextOptions() { return textOptions_; }
    // Copies Value's options.
    void SetTextOptions(TTextOptions& Value) { textOptions_.Assign(&Value); }

    // Records the editor's text as pages inside the margins of the text options.
    void PaginateSyntaxMemo(TCustomSyntaxMemo& Editor);
    // Shows the pages in the print preview window until it is closed; in a document raises
    // EAssertionFailed "Assertion failure".
    void Preview();
    // Asks for the pages and copies to print; false when the dialog was cancelled.
    bool PrintWithDialog();
    // Prints pages First to Last (0-based, limited to the pages there are) on the program's
    // printer, each page's paper filled by its recording; the printer's failures raise EPrinter.
    void PrintPages(int First, int Last);

    TPrinterOrientation Orientation = poPortrait;
    // The print job's name.
    QString Title;
    bool ShowGrid = false;
    TZoomOption ZoomOption = zoFitToPage;
    int ZoomVal = 100;
    TStatusProc OnStatus;

private:
    // Reads the device the pages are laid out for (the printer is turned to Orientation first).
    void ReadReferenceDevice();
    void Status(const QString& Message, int PageNum, int StatusType);

    bool inDocument_ = false;
    std::vector<std::unique_ptr<TMetafile>> pages_;
    std::unique_ptr<TPageMetaFileCanvas> pageCanvas_;
    int pixelsPerInchX_ = 0;
    int pixelsPerInchY_ = 0;
    int physicalWidth_ = 0;
    int physicalHeight_ = 0;
    int physicalOffsetX_ = 0;
    int physicalOffsetY_ = 0;
    bool canvasUsed_ = false;
    TTextOptions textOptions_;
    TUnits units_ = unInches;
    double unitFactor_ = 1.0;
};
