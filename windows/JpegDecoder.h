// Decoding of the JPEG pictures with libjpeg.
#pragma once

#include "Errors.h"

#include <QByteArrayView>
#include <QImage>
#include <QString>

// A picture that could not be decoded: "Cannot decode the picture "<name>": <reason>".
class PictureError : public WeldError
{
public:
    PictureError(const QString &name, const QString &reason);
};

// Decodes a whole JPEG into an RGB image. Damaged or truncated data, which libjpeg would only
// warn about and fill with grey, is an error too, so no half-decoded picture is ever shown.
// `name` names the picture in the error.
QImage decodeJpeg(QByteArrayView data, const QString &name);
