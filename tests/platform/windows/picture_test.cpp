#include "platform/windows/picture.h"

#include <gtest/gtest.h>

#include "tests/support/test_images.h"
#include "tests/support/working_folder.h"

namespace {

QByteArray Encoded(const char* format) {
  QImage image(20, 30, QImage::Format_RGB32);
  image.fill(Qt::blue);
  return ImageFileBytes(image, format);
}

TEST(Picture, DecodesCommonFormatsAndRefusesOtherBytes) {
  for (const char* format : {"PNG", "JPEG", "BMP"}) {
    QImage image = DecodePicture(Encoded(format));
    ASSERT_FALSE(image.isNull()) << format;
    EXPECT_EQ(image.size(), QSize(20, 30)) << format;
  }
  EXPECT_TRUE(DecodePicture(QByteArray()).isNull());
  EXPECT_TRUE(DecodePicture("not a picture at all").isNull());
  EXPECT_TRUE(DecodePicture(Encoded("PNG").left(40)).isNull());
}

class PictureFileTest : public WorkingFolderTest {};

TEST_F(PictureFileTest, ReadsOnlySmallPictures) {
  QByteArray bytes;
  WriteFileBytes("photo.png", Encoded("PNG"));
  EXPECT_EQ(ReadPictureFile("photo.png", &bytes), PictureFileResult::kOk);
  EXPECT_EQ(bytes, Encoded("PNG"));

  QByteArray untouched = bytes;
  WriteFileBytes("empty.jpg", "");
  EXPECT_EQ(ReadPictureFile("empty.jpg", &bytes), PictureFileResult::kEmpty);
  WriteFileBytes("notes.txt", "hello");
  EXPECT_EQ(ReadPictureFile("notes.txt", &bytes), PictureFileResult::kNotAPicture);
  EXPECT_EQ(ReadPictureFile("missing.png", &bytes), PictureFileResult::kCannotRead);
  {
    QFile big("big.png");
    ASSERT_TRUE(big.open(QIODevice::WriteOnly));
    ASSERT_TRUE(big.resize(kMaxPictureBytes + 1));
  }
  EXPECT_EQ(ReadPictureFile("big.png", &bytes), PictureFileResult::kTooLarge);
  EXPECT_EQ(bytes, untouched);
}

}  // namespace
