// Who may close the "CVS Running..." dialog, in either order of arrival.
#include <gtest/gtest.h>

#include "runner/close_claim.hpp"

namespace {

TEST(CloseClaim, OnceTheWatcherClaimsOnlyItsOwnCloseIsAllowed) {
  std::atomic<int> claim{kDialogOpen};
  ASSERT_TRUE(ClaimWatcherClose(claim));
  EXPECT_FALSE(AllowDialogClose(claim, 1));   // Break
  EXPECT_FALSE(AllowDialogClose(claim, -1));  // Esc
  EXPECT_TRUE(AllowDialogClose(claim, kWatcherCloseCode));
  EXPECT_EQ(claim.load(), kWatcherCloses);
}

TEST(CloseClaim, OnceTheUserClosesTheWatcherStaysSilent) {
  std::atomic<int> claim{kDialogOpen};
  ASSERT_TRUE(AllowDialogClose(claim, 1));
  EXPECT_FALSE(ClaimWatcherClose(claim));
  EXPECT_TRUE(AllowDialogClose(claim, -1));  // asked again, still allowed
  EXPECT_EQ(claim.load(), kUserCloses);
}

}  // namespace
