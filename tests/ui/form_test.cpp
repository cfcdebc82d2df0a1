#include <gtest/gtest.h>

#include "file_dialog.h"
#include "form.h"

using namespace txtseal::ui;

TEST(Form, WindowIsCentredWithTruncatingDivision) {
  EXPECT_EQ(centredOrigin(1024, 768).x, 300);
  EXPECT_EQ(centredOrigin(1024, 768).y, 209);
  EXPECT_EQ(centredOrigin(1920, 1080).x, 748);
  EXPECT_EQ(centredOrigin(1920, 1080).y, 365);
  // A screen narrower than the window: toward zero, not toward minus infinity.
  EXPECT_EQ(centredOrigin(200, 100).x, -111);
  EXPECT_EQ(centredOrigin(200, 100).y, -124);
}

TEST(Form, FiguresScaleWithDpiAndAreExactAt96) {
  for (const ControlForm& c : kControls) {
    EXPECT_EQ(scaleForDpi(c.place.left, 96), c.place.left);
    EXPECT_EQ(scaleForDpi(c.place.width, 96), c.place.width);
  }
  EXPECT_EQ(scaleForDpi(kWindowWidth, 144), 635);  // 634.5 rounds up
  EXPECT_EQ(scaleForDpi(kWindowHeight, 120), 436);
  EXPECT_EQ(scaleForDpi(-7, 192), -14);
}

TEST(Form, TabOrderWrapsBothWays) {
  EXPECT_EQ(nextInTabOrder(Role::ContentBox, false), Role::ImportButton);
  EXPECT_EQ(nextInTabOrder(Role::ImportButton, false), Role::SaveButton);
  EXPECT_EQ(nextInTabOrder(Role::SaveButton, false), Role::PasswordBox);
  EXPECT_EQ(nextInTabOrder(Role::PasswordBox, false), Role::ContentBox);
  EXPECT_EQ(nextInTabOrder(Role::ContentBox, true), Role::PasswordBox);
  EXPECT_EQ(nextInTabOrder(Role::ImportButton, true), Role::ContentBox);
}

TEST(FileDialog, FilterPreparation) {
  struct Row {
    const char* filter;
    std::vector<FilterEntry> entries;
  };
  const Row rows[] = {
      {"文本文件（.txt）|*.txt", {{"文本文件（.txt）", "*.txt"}}},
      {"Text|*.txt||", {{"Text", "*.txt"}}},
      {"Text|*.txt  \t\r\n", {{"Text", "*.txt"}}},
      {"Text|*.txt|All|*.*", {{"Text", "*.txt"}, {"All", "*.*"}}},
      {"", {}},
  };
  for (const Row& r : rows) EXPECT_EQ(prepareFilter(r.filter), r.entries) << r.filter;
}

TEST(FileDialog, ProgramDirectoryHasNoTrailingSeparator) {
  EXPECT_EQ(directoryOf("C:\\Program Files\\txtseal\\txtseal.exe"), "C:\\Program Files\\txtseal");
  EXPECT_EQ(directoryOf("C:\\txtseal.exe"), "C:");
  EXPECT_EQ(directoryOf("/opt/txtseal/txtseal"), "/opt/txtseal");
  EXPECT_EQ(directoryOf("txtseal.exe"), "");
}
