// The libjpeg decoder behind decodeJpeg. libjpeg reports errors through a callback that must not
// return; it jumps back to the decoding function, which keeps no C++ object alive across the jump.
#include "JpegDecoder.h"

#include <csetjmp>
#include <cstdio>
#include <cstring>
#include <jpeglib.h>

namespace {

// Larger pictures are refused before anything is allocated.
constexpr JDIMENSION largestSide = 16384;

struct ErrorManager
{
    jpeg_error_mgr base;
    std::jmp_buf jump;
    char message[JMSG_LENGTH_MAX];
};

[[noreturn]] void failDecoding(j_common_ptr info)
{
    auto *manager = reinterpret_cast<ErrorManager *>(info->err);
    (*info->err->format_message)(info, manager->message);
    std::longjmp(manager->jump, 1);
}

extern "C" void onJpegError(j_common_ptr info)
{
    failDecoding(info);
}

// Level -1 is a warning about damaged data; the rest are traces.
extern "C" void onJpegMessage(j_common_ptr info, int level)
{
    if (level < 0)
        failDecoding(info);
}

// Between setjmp and a jump no object with a destructor lives in this frame: the image belongs to
// the caller and is complete (or null) whenever libjpeg may jump.
bool decode(const unsigned char *data, unsigned long size, QImage &image, char *message)
{
    jpeg_decompress_struct info;
    ErrorManager errors;
    info.err = jpeg_std_error(&errors.base);
    errors.base.error_exit = onJpegError;
    errors.base.emit_message = onJpegMessage;
    errors.message[0] = '\0';
    if (setjmp(errors.jump)) {
        std::memcpy(message, errors.message, JMSG_LENGTH_MAX);
        jpeg_destroy_decompress(&info);
        return false;
    }
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, data, size);
    jpeg_read_header(&info, TRUE);
    if (info.image_width > largestSide || info.image_height > largestSide) {
        std::snprintf(message, JMSG_LENGTH_MAX, "the picture is larger than %u pixels on a side",
                      unsigned(largestSide));
        jpeg_destroy_decompress(&info);
        return false;
    }
    info.out_color_space = JCS_RGB; // grey pictures are widened to RGB as well
    jpeg_start_decompress(&info);
    image = QImage(int(info.output_width), int(info.output_height), QImage::Format_RGB888);
    if (image.isNull()) {
        std::snprintf(message, JMSG_LENGTH_MAX, "not enough memory for the picture");
        jpeg_destroy_decompress(&info);
        return false;
    }
    while (info.output_scanline < info.output_height) {
        JSAMPROW row = image.scanLine(int(info.output_scanline));
        jpeg_read_scanlines(&info, &row, 1);
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    return true;
}

} // namespace

PictureError::PictureError(const QString &name, const QString &reason)
    : WeldError(QStringLiteral("Cannot decode the picture \"%1\": %2").arg(name, reason))
{
}

QImage decodeJpeg(QByteArrayView data, const QString &name)
{
    if (data.isEmpty())
        throw PictureError(name, QStringLiteral("the picture is empty"));
    QImage image;
    char message[JMSG_LENGTH_MAX] = {};
    if (!decode(reinterpret_cast<const unsigned char *>(data.data()), static_cast<unsigned long>(data.size()),
                image, message))
        throw PictureError(name, QString::fromLocal8Bit(message));
    return image;
}
