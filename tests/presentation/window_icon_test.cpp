#include "form_fixture.h"

#include "presentation/mod_icon.h"

TEST(ModIcon, AppFolderEndsInExactlyOneSlash)
{
  EXPECT_EQ(ModIcon::AppFolder("/opt/kelvarino/kelvarino"), "/opt/kelvarino/");
  EXPECT_EQ(ModIcon::AppFolder("/kelvarino"), "/") << "the root is not doubled";
}

TEST_F(FormTest, TheMainWindowGetsTheProgramIconAt32PixelsAtStartUp)
{
  load();
  EXPECT_EQ(win().bigIconSize, 32);
}
