// The input method's contexts on the headless driver: closed until the driver opens a
// composition, read as the keyboard hook reads the target clause, detached and given back.
#include "platform/core/input_context.h"

#include <cstring>

#include "headless_fixture.h"
#include "platform/core/focus.h"
#include "platform/headless/scenario_runner.h"

namespace lexiv::testing {
namespace {

class InputContextTest : public HeadlessTest {
 protected:
  void SetUp() override {
    ASSERT_TRUE(top.CreateTop());
    ASSERT_TRUE(pane.CreateChild(top.hwnd(), 1));
    SetFocus(pane.hwnd());
  }

  // The hook's capture: the bytes of the composition whose attribute marks them as the target.
  std::string TargetClause(HWND hwnd) {
    const HIMC himc = ImmGetContext(hwnd);
    if (!himc) return "<no context>";
    std::string target;
    DWORD conversion = 0, sentence = 0;
    if (ImmGetOpenStatus(himc) && ImmGetConversionStatus(himc, &conversion, &sentence) &&
        (conversion & IME_CMODE_SYMBOL) == 0) {
      char attributes[41] = {}, text[41] = {};
      ImmGetCompositionStringA(himc, GCS_COMPATTR, attributes, 40);
      const LONG length = ImmGetCompositionStringA(himc, GCS_COMPSTR, text, 40);
      for (LONG i = 0; i < length && target.size() < 40; ++i)
        if ((attributes[i] & 1) != 0) target += text[i];
    }
    ImmReleaseContext(hwnd, himc);
    return target;
  }

  std::vector<Received> log;
  RecordingWindow top{"top", &log};
  RecordingWindow pane{"pane", &log};
};

TEST_F(InputContextTest, AContextIsClosedUntilTheDriverOpensAComposition) {
  const HIMC himc = ImmGetContext(pane.hwnd());
  ASSERT_TRUE(himc);
  EXPECT_EQ(ImmGetContext(pane.hwnd()), himc) << "one context a window";
  EXPECT_NE(ImmGetContext(top.hwnd()), himc);
  EXPECT_FALSE(ImmGetOpenStatus(himc));
  char text[8] = {};
  EXPECT_EQ(ImmGetCompositionStringA(himc, GCS_COMPSTR, text, sizeof text), 0);
  EXPECT_EQ(TargetClause(pane.hwnd()), "");
  DWORD conversion = 0;
  EXPECT_TRUE(ImmGetConversionStatus(himc, &conversion, nullptr));
}

TEST_F(InputContextTest, TheTargetClauseOfAnOpenCompositionIsRead) {
  // "辞書を引く" with "辞書" as the clause being converted: two bytes a character.
  const std::string text = "辞書を引く";
  std::vector<BYTE> attributes(text.size(), ATTR_CONVERTED);
  for (int i = 0; i < 4; ++i) attributes[i] = ATTR_TARGET_CONVERTED;
  ASSERT_TRUE(driver.OpenComposition(text, attributes));
  const HIMC himc = ImmGetContext(pane.hwnd());
  EXPECT_TRUE(ImmGetOpenStatus(himc));
  EXPECT_EQ(ImmGetCompositionStringA(himc, GCS_COMPSTR, nullptr, 0), static_cast<LONG>(text.size()));
  EXPECT_EQ(ImmGetCompositionStringA(himc, GCS_COMPATTR, nullptr, 0), static_cast<LONG>(text.size()));
  EXPECT_EQ(TargetClause(pane.hwnd()), "辞書");
  // A short buffer takes whole characters only.
  char cut[4] = {};
  EXPECT_EQ(ImmGetCompositionStringA(himc, GCS_COMPSTR, cut, 3), 2);
  EXPECT_EQ(std::string(cut, 2), text.substr(0, 2));
  EXPECT_EQ(ImmGetCompositionStringA(himc, GCS_RESULTSTR, cut, 3), IMM_ERROR_GENERAL);
  // Only the focused window's context has it.
  EXPECT_FALSE(ImmGetOpenStatus(ImmGetContext(top.hwnd())));

  // The symbol mode is not conversion: nothing is captured.
  ASSERT_TRUE(driver.OpenComposition(text, attributes, IME_CMODE_NATIVE | IME_CMODE_SYMBOL));
  EXPECT_EQ(TargetClause(pane.hwnd()), "");
  ASSERT_TRUE(driver.CloseComposition());
  EXPECT_FALSE(ImmGetOpenStatus(himc));
  EXPECT_EQ(TargetClause(pane.hwnd()), "");
}

TEST_F(InputContextTest, AWindowDetachedFromItsInputMethodHasNoContextUntilGivenOneBack) {
  const HIMC own = ImmGetContext(pane.hwnd());
  EXPECT_EQ(ImmAssociateContext(pane.hwnd(), HIMC{}), own);
  EXPECT_FALSE(ImmGetContext(pane.hwnd()));
  EXPECT_FALSE(driver.OpenComposition("字", {ATTR_TARGET_CONVERTED, ATTR_TARGET_CONVERTED}));
  EXPECT_EQ(TargetClause(pane.hwnd()), "<no context>");
  EXPECT_EQ(ImmAssociateContext(pane.hwnd(), own), HIMC{});
  EXPECT_EQ(ImmGetContext(pane.hwnd()), own);

  // A context of its own making, destroyed while a window holds it, leaves the window without one.
  const HIMC made = ImmCreateContext();
  ASSERT_TRUE(made);
  const HIMC topOwn = ImmGetContext(top.hwnd());
  EXPECT_EQ(ImmAssociateContext(top.hwnd(), made), topOwn);
  EXPECT_EQ(ImmGetContext(top.hwnd()), made);
  EXPECT_TRUE(ImmDestroyContext(made));
  EXPECT_FALSE(ImmGetContext(top.hwnd()));
  EXPECT_FALSE(ImmDestroyContext(made));

  // No window, or a window that is not this program's, has no context.
  EXPECT_FALSE(ImmGetContext(HWND{}));
  EXPECT_FALSE(ImmGetContext(CreateForeignWindow("other")));
  const HWND gone = pane.hwnd();
  DestroyWindow(gone);
  EXPECT_FALSE(ImmGetContext(gone));
}

TEST_F(InputContextTest, AScenarioComposesWithTheTargetClauseInBrackets) {
  ScenarioRunner runner{driver};
  ScenarioResult result = runner.Run(reinterpret_cast<const char*>(u8"compose 辞書を[引く]\n"), "inline");
  ASSERT_EQ(result.failures, 0) << result.report;
  EXPECT_EQ(TargetClause(pane.hwnd()), "引く");
  result = runner.Run("compose off\n", "inline");
  ASSERT_EQ(result.failures, 0) << result.report;
  EXPECT_FALSE(ImmGetOpenStatus(ImmGetContext(pane.hwnd())));
  EXPECT_EQ(runner.Run("compose\n", "inline").failures, 1);
}

}  // namespace
}  // namespace lexiv::testing
