/* Test tool: reads a GIF file with giflib and prints what it holds, in the text form the GIF
   tests build from our own reader, so the two can be compared line by line:
     screen <width> <height> bg <index> aspect <byte>
     gmap <count> <rrggbb...>              (only with a global colour map)
     frame <left> <top> <width> <height> interlace <0|1>
     lmap <count> <rrggbb...>              (only with a local colour map)
     ext <function> <hex bytes>            (one line per extension block, before its frame)
     pixels <hex of the rows, top to bottom>
     tail                                  (extensions after the last frame follow)
   Exits with 1 when giflib refuses the file. */
#include <gif_lib.h>
#include <stdio.h>

static void hex(const unsigned char* bytes, int count)
{
    for (int i = 0; i < count; ++i)
        printf("%02x", bytes[i]);
}

static void map(const char* name, const ColorMapObject* colors)
{
    if (!colors)
        return;
    printf("%s %d ", name, colors->ColorCount);
    for (int i = 0; i < colors->ColorCount; ++i)
        printf("%02x%02x%02x", colors->Colors[i].Red, colors->Colors[i].Green, colors->Colors[i].Blue);
    printf("\n");
}

static void extensions(int count, const ExtensionBlock* blocks)
{
    for (int i = 0; i < count; ++i) {
        printf("ext %02x ", blocks[i].Function);
        hex(blocks[i].Bytes, blocks[i].ByteCount);
        printf("\n");
    }
}

int main(int argc, char** argv)
{
    if (argc != 2) {
        fprintf(stderr, "usage: gif_dump FILE\n");
        return 2;
    }
    int error = 0;
    GifFileType* gif = DGifOpenFileName(argv[1], &error);
    if (!gif) {
        fprintf(stderr, "open: %s\n", GifErrorString(error));
        return 1;
    }
    if (DGifSlurp(gif) != GIF_OK) {
        fprintf(stderr, "slurp: %s\n", GifErrorString(gif->Error));
        DGifCloseFile(gif, &error);
        return 1;
    }
    printf("screen %d %d bg %d aspect %d\n", gif->SWidth, gif->SHeight, gif->SBackGroundColor, gif->AspectByte);
    map("gmap", gif->SColorMap);
    for (int i = 0; i < gif->ImageCount; ++i) {
        const SavedImage* frame = &gif->SavedImages[i];
        const GifImageDesc* d = &frame->ImageDesc;
        extensions(frame->ExtensionBlockCount, frame->ExtensionBlocks);
        printf("frame %d %d %d %d interlace %d\n", d->Left, d->Top, d->Width, d->Height, d->Interlace ? 1 : 0);
        map("lmap", d->ColorMap);
        printf("pixels ");
        hex(frame->RasterBits, d->Width * d->Height);
        printf("\n");
    }
    printf("tail\n");
    extensions(gif->ExtensionBlockCount, gif->ExtensionBlocks);
    DGifCloseFile(gif, &error);
    return 0;
}
