// Stand-ins for the concrete format classes in tests: a clipboard format class per entry of a
// table (named like the real ones, with their format ids), and a data format of any class record.
#pragma once

#include "dragdrop/data_format.h"
#include "platform/ole/medium.h"

#include <QByteArray>

struct TestFormatSpec {
    const char* ClassName;
    const char* FormatName; // null for a standard format
    win::CLIPFORMAT StandardId;
    win::DWORD Tymed;
};

// The clipboard format classes of the drag-and-drop formats, in the order they are declared.
enum TestFormatIndex {
    fText, fFileContents, fFileGroupDescriptor, fFileGroupDescriptorW, fPreferredDropEffect,
    fPerformedDropEffect, fPasteSucceeded, fInShellDragLoop, fTargetCLSID, fLogicalPerformedDropEffect,
    fFileContentsStream, fPIDL, fFile, fFilename, fFilenameW, fFilenameMap, fFilenameMapW, fTestFormatCount
};

inline constexpr TestFormatSpec TestFormatSpecs[fTestFormatCount] = {
    {"TTextClipboardFormat", nullptr, win::CF_TEXT, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TFileContentsClipboardFormat", "FileContents", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TFileGroupDescritorClipboardFormat", "FileGroupDescriptor", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TFileGroupDescritorWClipboardFormat", "FileGroupDescriptorW", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TPreferredDropEffectClipboardFormat", "Preferred DropEffect", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TPerformedDropEffectClipboardFormat", "Performed DropEffect", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TPasteSuccededClipboardFormat", "Paste Succeeded", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TInShellDragLoopClipboardFormat", "InShellDragLoop", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TTargetCLSIDClipboardFormat", "TargetCLSID", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TLogicalPerformedDropEffectClipboardFormat", "Logical Performed DropEffect", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TFileContentsStreamClipboardFormat", "FileContents", 0, win::TYMED_ISTREAM},
    {"TPIDLClipboardFormat", "Shell IDList Array", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TFileClipboardFormat", nullptr, win::CF_HDROP, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TFilenameClipboardFormat", "FileName", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TFilenameWClipboardFormat", "FileNameW", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TFilenameMapClipboardFormat", "FileNameMap", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
    {"TFilenameMapWClipboardFormat", "FileNameMapW", 0, win::TYMED_HGLOBAL | win::TYMED_ISTREAM},
};

// A clipboard format that holds one block of bytes.
class TestBlockFormat : public TClipboardFormat {
public:
    using TClipboardFormat::TClipboardFormat;

    bool DecodeMedium(win::IDataObject*, const win::STGMEDIUM& Medium) override
    {
        Block = win::BytesOfMedium(Medium).value_or(QByteArray());
        return true;
    }
    bool EncodeMedium(const win::FORMATETC& Format, win::STGMEDIUM& Medium) override
    {
        return !Block.isEmpty() && win::MediumFromBytes(Block, Format.tymed, Medium);
    }
    void Clear() override { Block.clear(); }
    bool HoldsData() const override { return !Block.isEmpty(); }

    QByteArray Block;
};

template <int Index>
class TestFormat : public TestBlockFormat {
public:
    static const TClipboardFormatClass Class;

    TestFormat() : TestBlockFormat(Class, TestFormatSpecs[Index].Tymed) {}

    win::CLIPFORMAT GetClipboardFormat() const override
    {
        const TestFormatSpec& spec = TestFormatSpecs[Index];
        static const win::CLIPFORMAT id =
            spec.FormatName ? RegisterFormatName(QString::fromLatin1(spec.FormatName)) : spec.StandardId;
        return id;
    }
};

template <int Index>
const TClipboardFormatClass TestFormat<Index>::Class{TestFormatSpecs[Index].ClassName, &TClipboardFormat::Class,
                                                     []() -> TClipboardFormat* { return new TestFormat<Index>; }};

// The class record of each test format, by index.
const TClipboardFormatClass& TestFormatClass(int Index);

// A data format of a given class record whose data is one block: it takes the block of the
// first clipboard format that gives one.
class TestDataFormat : public TCustomDataFormat {
public:
    TestDataFormat(const TDataFormatClass& AClass, TComponent* AOwner) : TCustomDataFormat(AClass, AOwner) {}

    bool Assign(TClipboardFormat* Format) override
    {
        auto* block = dynamic_cast<TestBlockFormat*>(Format);
        if (!block)
            return TCustomDataFormat::Assign(Format);
        Block = block->Block;
        Source = Format->ClassName();
        return true;
    }
    void Clear() override { Block.clear(); }
    bool HoldsData() const override { return !Block.isEmpty(); }

    QByteArray Block;
    QString Source;
};
