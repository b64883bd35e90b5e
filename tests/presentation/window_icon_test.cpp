#include "form_fixture.h"

#include "presentation/mod_icon.h"

TEST_F(FormTest, TheMainWindowGetsTheProgramIconAt32PixelsAtStartUp)
{
  load();
  EXPECT_EQ(win().bigIconSize, 32);
}
