// The two small pictures beside the language options.
#pragma once

#include <QPixmap>

namespace tessaro {

QPixmap EnglishPicture(); // a red cross on white
QPixmap GermanPicture();  // black, red and gold bands

} // namespace tessaro
