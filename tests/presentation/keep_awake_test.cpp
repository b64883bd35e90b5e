#include "form_fixture.h"

class KeepAwakeTest : public FormTest {
protected:
  void SetUp() override { load(); }
};

TEST_F(KeepAwakeTest, EachTickResetsTheDisplayAndThenTheSystemOnce)
{
  form->keepAwake().TSeelp_Timer();
  form->keepAwake().TSeelp_Timer();
  EXPECT_EQ(gui().idle.calls, (QList<unsigned>{2, 1, 2, 1}));
}
