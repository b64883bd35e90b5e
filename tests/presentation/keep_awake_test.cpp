#include "form_fixture.h"

class KeepAwakeTest : public FormTest {
protected:
  void SetUp() override { load(); }
};

TEST_F(KeepAwakeTest, EachTickResetsTheDisplayAndThenTheSystemOnce)
{
  form->TSeelp_Timer();
  form->TSeelp_Timer();
  EXPECT_EQ(gui().idle.calls, (QList<unsigned>{2, 1, 2, 1}));
}

TEST_F(KeepAwakeTest, TheTimerRunsFromPlayingToTheNextStateThatIsNotLoading)
{
  EXPECT_EQ(form->TSeelp.interval(), 60000);
  EXPECT_FALSE(form->TSeelp.isActive()) << "off until playback starts";
  engine().item = FakeEngine::audio();
  form->WMP_PlayStateChange(PlayState::Playing);
  EXPECT_TRUE(form->TSeelp.isActive());
  for (int loading : {PlayState::Buffering, PlayState::Transitioning, PlayState::Ready})
    form->WMP_PlayStateChange(loading);
  EXPECT_TRUE(form->TSeelp.isActive());
  form->WMP_PlayStateChange(PlayState::Paused);
  EXPECT_FALSE(form->TSeelp.isActive());
  EXPECT_TRUE(gui().idle.calls.isEmpty()) << "the first reset comes a minute after the start";
}
