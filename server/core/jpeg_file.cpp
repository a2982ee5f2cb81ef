#include "jpeg_file.h"

#include "frame_renderer.h"

#include <csetjmp>
#include <cstdio>
#include <cstdlib>

#include <jpeglib.h>

namespace {

// libjpeg reports fatal errors through a callback that must not return.
struct ErrorManager {
    jpeg_error_mgr base;
    std::jmp_buf escape;
};

void OnFatalError(j_common_ptr info) {
    std::longjmp(reinterpret_cast<ErrorManager*>(info->err)->escape, 1);
}

} // namespace

std::vector<uint8_t> EncodeJpeg(const std::vector<uint8_t>& rgb, int width, int height,
                                int quality) {
    if (width <= 0 || height <= 0 || rgb.size() < static_cast<size_t>(width) * height * 3)
        return {};
    jpeg_compress_struct info{};
    ErrorManager errors{};
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = OnFatalError;
    unsigned char* buffer = nullptr;
    unsigned long size = 0;
    if (setjmp(errors.escape)) {
        jpeg_destroy_compress(&info);
        std::free(buffer);
        return {};
    }
    jpeg_create_compress(&info);
    jpeg_mem_dest(&info, &buffer, &size);
    info.image_width = static_cast<JDIMENSION>(width);
    info.image_height = static_cast<JDIMENSION>(height);
    info.input_components = 3;
    info.in_color_space = JCS_RGB;
    jpeg_set_defaults(&info);
    jpeg_set_quality(&info, quality, TRUE);
    jpeg_start_compress(&info, TRUE);
    while (info.next_scanline < info.image_height) {
        JSAMPROW row =
            const_cast<JSAMPROW>(&rgb[static_cast<size_t>(info.next_scanline) * width * 3]);
        jpeg_write_scanlines(&info, &row, 1);
    }
    jpeg_finish_compress(&info);
    std::vector<uint8_t> file(buffer, buffer + size);
    jpeg_destroy_compress(&info);
    std::free(buffer);
    return file;
}

std::vector<uint8_t> SnapshotJpeg(const SampleVideo& video, int32_t index) {
    SampleVideo bgra = video;
    bgra.pictures = PictureFormat::kBgra32;
    const std::vector<uint8_t> picture = RenderFrame(bgra, index);
    const size_t pixels = static_cast<size_t>(video.width) * video.height;
    if (picture.size() < pixels * 4)
        return {};
    // 32-bit pictures come bottom row first, blue first.
    std::vector<uint8_t> rgb(pixels * 3);
    for (int y = 0; y < video.height; ++y) {
        const uint8_t* in = &picture[static_cast<size_t>(video.height - 1 - y) * video.width * 4];
        uint8_t* out = &rgb[static_cast<size_t>(y) * video.width * 3];
        for (int x = 0; x < video.width; ++x, in += 4, out += 3) {
            out[0] = in[2];
            out[1] = in[1];
            out[2] = in[0];
        }
    }
    return EncodeJpeg(rgb, video.width, video.height, 90);
}
