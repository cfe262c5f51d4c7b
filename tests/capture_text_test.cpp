#include <gtest/gtest.h>

#include "state/capture_text.h"

namespace {

TEST(CaptureText, NumbersAreWrittenLikeGcvtWithSixDigits) {
  EXPECT_EQ(FormatSignificant6(0.0), "0.");
  EXPECT_EQ(FormatSignificant6(1.0), "1.");
  EXPECT_EQ(FormatSignificant6(0.5), "0.5");
  EXPECT_EQ(FormatSignificant6(-2.0), "-2.");
  EXPECT_EQ(FormatSignificant6(1234567.0), "1.23457e+006");
  EXPECT_EQ(FormatSignificant6(1e-7), "1.e-007");
  EXPECT_EQ(FormatSignificant6(123456.0), "123456.");
  EXPECT_EQ(FormatSignificant6(999999.5), "1.e+006");  // rounding carries into the exponent
  EXPECT_EQ(FormatSignificant6(-12.5), "-12.5");
  EXPECT_EQ(FormatSignificant6(0.05), "5.e-002");
  EXPECT_EQ(FormatSignificant6(2.0 / 3.0), "0.666667");
  EXPECT_EQ(FormatSignificant6(58.0f), "58.");
}

TEST(CaptureText, EachClickAppendsThreeBlocksInClickOrder) {
  FrameRecord frame;
  CameraRecord camera;
  camera.eye = Vec3(kVecValid, 12, -149, 58);
  std::string text;
  AppendCameraCapture(text, frame, camera);  // before the first frame: all start values
  const std::string first = "Cam :0.,0.,0.  \nPnt :0.,0.,0.  \n \nMCr :12.,-149.,58.  \n \n";
  EXPECT_EQ(text, first);

  frame.capturePoint = {1.5, -2, 0.25};
  AppendCameraCapture(text, frame, camera);
  EXPECT_EQ(text, first + "Cam :0.,0.,0.  \nPnt :1.5,-2.,0.25  \n \nMCr :12.,-149.,58.  \n \n");
}

}  // namespace
