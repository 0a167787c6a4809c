// initImaging: the GIF picture class joins the picture registry.
#include "imaging/imaging_init.h"

#include "imaging/gif_picture_registration.h"

void initImaging()
{
    RegisterGIFPictureFormat();
}
