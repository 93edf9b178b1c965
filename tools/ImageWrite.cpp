// The one compiled copy of the PNG / JPEG writer from libstb.
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>
