// The renderer's state: the script-result slot and the stored identifier.
#include "web_browser_object_id.h"

#include <gtest/gtest.h>

#include "message_names.h"
#include "packed_id.h"
#include "renderer_state.h"

namespace Kestrun {
namespace {

CefRefPtr<CefProcessMessage> SaveMessage(const char16_t* identifier) {
  CefRefPtr<CefProcessMessage> message = CefProcessMessage::Create(kSaveWebBrowserObjectID);
  PackId(message->GetArgumentList(), 0);
  message->GetArgumentList()->SetString(1, identifier);
  return message;
}

TEST(RendererStateTest, SlotStartsEmptyWithASemaphoreOfAtMostOneSignal) {
  std::unique_ptr<RendererState> state = RendererState::Create();
  ASSERT_TRUE(state);
  const ScriptResultSlot& slot = state->slot;
  EXPECT_TRUE(slot.objectId.empty());
  EXPECT_FALSE(slot.resultText);
  EXPECT_FALSE(slot.errorText);
  EXPECT_EQ(slot.code, 0);
  ASSERT_TRUE(slot.semaphore);
  EXPECT_FALSE(slot.semaphore->TryAcquire());
  EXPECT_TRUE(slot.semaphore->Release());
  EXPECT_FALSE(slot.semaphore->Release());
  EXPECT_TRUE(slot.semaphore->TryAcquire());
  EXPECT_FALSE(slot.semaphore->TryAcquire());
}

TEST(WebBrowserObjectIdTest, NonEmptyIdentifiersReplaceBothCopies) {
  std::unique_ptr<RendererState> state = RendererState::Create();
  ASSERT_TRUE(state);
  ScriptResultSlot& slot = state->slot;
  const platform::WString before = ProcessWebBrowserObjectId();

  EXPECT_FALSE(SaveWebBrowserObjectId(slot, SaveMessage(u"")));
  EXPECT_TRUE(slot.objectId.empty());
  EXPECT_EQ(ProcessWebBrowserObjectId(), before);

  EXPECT_TRUE(SaveWebBrowserObjectId(slot, SaveMessage(u"first")));
  EXPECT_EQ(slot.objectId, u"first");
  EXPECT_EQ(ProcessWebBrowserObjectId(), u"first");

  EXPECT_FALSE(SaveWebBrowserObjectId(slot, SaveMessage(u"")));
  EXPECT_EQ(slot.objectId, u"first");

  EXPECT_TRUE(SaveWebBrowserObjectId(slot, SaveMessage(u"second")));
  EXPECT_EQ(slot.objectId, u"second");
  EXPECT_EQ(ProcessWebBrowserObjectId(), u"second");
}

}  // namespace
}  // namespace Kestrun
