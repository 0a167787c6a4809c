// TJPEGImage: JPEG file images decoded by libjpeg.
#include "platform/graphics/jpeg_image.h"

#include "platform/graphics/graphics_errors.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

namespace {

// Progressive files may hold any number of scans, each one a pass over the whole picture; more
// than this are refused, so a small file cannot keep the decoder busy for minutes.
constexpr int MaxScans = 1000;
// What libjpeg may allocate for one picture: the pixels and, for progressive files, the
// coefficients of the whole picture.
constexpr long MaxDecoderMemory = 1L << 30;

// libjpeg reports a fatal error by calling error_exit, which must not return. It jumps back to the
// setjmp point of the decoding step that is running; those steps own no C++ objects, so the jump
// skips no destructor. The message is kept for the exception raised once the step has returned.
struct TJpegErrors {
    jpeg_error_mgr Manager; // first: libjpeg hands its address back as the common error pointer
    std::jmp_buf Escape;
    char Message[JMSG_LENGTH_MAX];
};

struct TJpegDecoder {
    jpeg_decompress_struct Info;
    TJpegErrors Errors;
    jpeg_progress_mgr Progress;
    bool Cmyk;
};

[[noreturn]] void ErrorExit(j_common_ptr Info)
{
    auto* errors = reinterpret_cast<TJpegErrors*>(Info->err);
    Info->err->format_message(Info, errors->Message);
    std::longjmp(errors->Escape, 1);
}

// Warnings (a file cut short, extra bytes) are not shown: the picture keeps what could be read.
void IgnoreMessage(j_common_ptr) {}

void CheckScans(j_common_ptr Info)
{
    auto* info = reinterpret_cast<j_decompress_ptr>(Info);
    if (info->input_scan_number > MaxScans) {
        auto* errors = reinterpret_cast<TJpegErrors*>(Info->err);
        std::snprintf(errors->Message, sizeof errors->Message, "More than %d scans", MaxScans);
        std::longjmp(errors->Escape, 1);
    }
}

// Reads the header and chooses the output colours: RGB, or CMYK for CMYK and YCCK files (which
// libjpeg does not turn into RGB). False on an error (its text in Errors.Message).
bool StartDecoding(TJpegDecoder& D, const unsigned char* Data, unsigned long Size)
{
    D.Info.err = jpeg_std_error(&D.Errors.Manager);
    D.Errors.Manager.error_exit = ErrorExit;
    D.Errors.Manager.output_message = IgnoreMessage;
    if (setjmp(D.Errors.Escape))
        return false;
    jpeg_create_decompress(&D.Info);
    D.Info.mem->max_memory_to_use = MaxDecoderMemory;
    D.Progress.progress_monitor = CheckScans;
    D.Info.progress = &D.Progress;
    jpeg_mem_src(&D.Info, Data, Size);
    jpeg_read_header(&D.Info, TRUE);
    D.Cmyk = D.Info.jpeg_color_space == JCS_CMYK || D.Info.jpeg_color_space == JCS_YCCK;
    D.Info.out_color_space = D.Cmyk ? JCS_CMYK : JCS_RGB;
    jpeg_calc_output_dimensions(&D.Info);
    return true;
}

// One row of CMYK samples as RGB. Files written by Adobe's programs store the inks inverted.
void CmykRowToRgb(const unsigned char* Cmyk, unsigned char* Rgb, unsigned Width, bool Inverted)
{
    for (unsigned x = 0; x < Width; ++x, Cmyk += 4, Rgb += 3) {
        const unsigned k = Inverted ? Cmyk[3] : 255u - Cmyk[3];
        for (int i = 0; i < 3; ++i)
            Rgb[i] = static_cast<unsigned char>((Inverted ? Cmyk[i] : 255u - Cmyk[i]) * k / 255u);
    }
}

// Decodes the pixels into Bits (rows of 3 bytes a pixel, Stride bytes apart, top row first).
bool ReadPixels(TJpegDecoder& D, unsigned char* Bits, long Stride)
{
    if (setjmp(D.Errors.Escape))
        return false;
    jpeg_start_decompress(&D.Info);
    JSAMPARRAY cmykRow = D.Cmyk ? (*D.Info.mem->alloc_sarray)(reinterpret_cast<j_common_ptr>(&D.Info), JPOOL_IMAGE,
                                                             D.Info.output_width * 4, 1)
                                : nullptr;
    while (D.Info.output_scanline < D.Info.output_height) {
        unsigned char* row = Bits + long(D.Info.output_scanline) * Stride;
        if (cmykRow) {
            if (jpeg_read_scanlines(&D.Info, cmykRow, 1) == 1)
                CmykRowToRgb(cmykRow[0], row, D.Info.output_width, D.Info.saw_Adobe_marker);
        } else {
            JSAMPROW rows[1] = {row};
            jpeg_read_scanlines(&D.Info, rows, 1);
        }
    }
    jpeg_finish_decompress(&D.Info);
    return true;
}

// Frees what libjpeg holds when the decoder goes, also after an error.
struct TDecoderGuard {
    TJpegDecoder& Decoder;
    ~TDecoderGuard() { jpeg_destroy_decompress(&Decoder.Info); }
};

[[noreturn]] void JpegError(const TJpegDecoder& D)
{
    throw EInvalidGraphic(QStringLiteral("JPEG error: %1").arg(QString::fromLocal8Bit(D.Errors.Message)));
}

[[noreturn]] void TooLarge()
{
    throw EInvalidGraphic(QStringLiteral("JPEG image is too large"));
}

} // namespace

TJPEGImage::TJPEGImage() = default;

TJPEGImage::~TJPEGImage() = default;

void TJPEGImage::Draw(TCanvas& ACanvas, const QRect& Rect)
{
    bitmap_.Draw(ACanvas, Rect);
}

void TJPEGImage::SetWidth(int)
{
    throw EInvalidGraphicOperation(QStringLiteral("Cannot change the size of a JPEG image"));
}

void TJPEGImage::SetHeight(int)
{
    throw EInvalidGraphicOperation(QStringLiteral("Cannot change the size of a JPEG image"));
}

void TJPEGImage::LoadFromData(const QByteArray& Data)
{
    TJpegDecoder decoder{};
    const TDecoderGuard guard{decoder};
    if (!StartDecoding(decoder, reinterpret_cast<const unsigned char*>(Data.constData()),
                       static_cast<unsigned long>(Data.size())))
        JpegError(decoder);
    const int64_t width = decoder.Info.output_width;
    const int64_t height = decoder.Info.output_height;
    if (width * height * 3 > MaxJPEGPixelBytes)
        TooLarge();
    QImage image(int(width), int(height), QImage::Format_RGB888);
    if (image.isNull())
        throw EOutOfResources(QStringLiteral("Out of system resources"));
    // Rows a damaged file leaves unread stay black.
    image.fill(Qt::black);
    if (!ReadPixels(decoder, image.bits(), long(image.bytesPerLine())))
        JpegError(decoder);
    bitmap_.AssignImage(image);
    data_ = Data;
    Changed(this);
}

void TJPEGImage::LoadFromStream(TStream& Stream)
{
    const int64_t size = Stream.Size() - Stream.Position();
    if (size > MaxJPEGPixelBytes)
        TooLarge();
    QByteArray data(qsizetype(std::max<int64_t>(size, 0)), Qt::Uninitialized);
    Stream.ReadBuffer(data.data(), data.size());
    LoadFromData(data);
}

void TJPEGImage::SaveToStream(TStream& Stream)
{
    Stream.WriteBuffer(data_.constData(), data_.size());
}

void TJPEGImage::LoadFromClipboardFormat(unsigned, const TClipboardData&, const win::Palette&)
{
    throw EInvalidGraphic(QStringLiteral("Unsupported clipboard format"));
}

void TJPEGImage::SaveToClipboardFormat(unsigned& AFormat, TClipboardData& AData, win::Palette& APalette)
{
    bitmap_.SaveToClipboardFormat(AFormat, AData, APalette);
}

void TJPEGImage::Assign(TPersistent* Source)
{
    if (auto* jpeg = dynamic_cast<TJPEGImage*>(Source)) {
        if (jpeg != this) {
            data_ = jpeg->data_;
            bitmap_.Assign(jpeg->bitmap_);
            Changed(this);
        }
        return;
    }
    TGraphic::Assign(Source);
}
