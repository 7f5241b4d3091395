/* Decodes GIF files with giflib, the decoder the report uses, and prints each one's
   size, colour count and how many pixels are not white.
   Build and run: cc -O2 -o gifcheck gifcheck.c -lgif, then ./gifcheck NAME.gif ... */
#include <gif_lib.h>
#include <stdio.h>

int main(int argc, char **argv) {
    int failed = 0;
    for (int i = 1; i < argc; ++i) {
        int err = 0;
        GifFileType *gif = DGifOpenFileName(argv[i], &err);
        if (!gif || DGifSlurp(gif) != GIF_OK || gif->ImageCount < 1) {
            printf("%s: cannot decode (%s)\n", argv[i], GifErrorString(gif ? gif->Error : err));
            failed = 1;
            if (gif) DGifCloseFile(gif, &err);
            continue;
        }
        const SavedImage *img = &gif->SavedImages[0];
        const ColorMapObject *map = img->ImageDesc.ColorMap ? img->ImageDesc.ColorMap : gif->SColorMap;
        long w = img->ImageDesc.Width, h = img->ImageDesc.Height, ink = 0;
        for (long p = 0; p < w * h; ++p) {
            const GifColorType *c = &map->Colors[img->RasterBits[p]];
            if (c->Red != 255 || c->Green != 255 || c->Blue != 255) ++ink;
        }
        printf("%s: %d x %d screen, image %ld x %ld, %d colours, %ld non-white pixels\n", argv[i],
               gif->SWidth, gif->SHeight, w, h, map->ColorCount, ink);
        DGifCloseFile(gif, &err);
    }
    return failed;
}
