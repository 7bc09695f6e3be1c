#include "videoparams.h"

#include <QDebug>

bool VideoParams::isSameAs(const VideoParams &other) const
{
    qDebug() << "Cur Width " << nWidth << " Height " << nHeight << " FrameRate " << nFrameRate << " Type "
             << nEncodeType << " Dst Width " << other.nWidth << " Height " << other.nHeight << " FrameRate "
             << other.nFrameRate << " Type " << other.nEncodeType;
    return nWidth == other.nWidth && nHeight == other.nHeight && nFrameRate == other.nFrameRate &&
           nEncodeType == other.nEncodeType;
}
