// Shared set-up of the widget tests: a known global state and a fresh main window.
#pragma once

#include <gtest/gtest.h>

#include <cstdint>
#include <string>
#include <vector>

#include "app/app_state.h"
#include "app/ids.h"
#include "platform/gui.h"

// Puts every field of AppState back to its start value and gives each text key a recognisable
// text ("<key>"), so a test can tell which question or caption was used. Needs no toolkit.
void ResetAppState();
// Opens MainWindow as start-up does, with the given stored selections; hidden.
void OpenFreshMainWindow(int64_t algorithm = 0, int64_t bits = 0);

// Shows the main window and lets the toolkit settle, dropping the events that showing causes.
void ShowMainWindowAndSettle();
// The text the fixture gives to a key.
std::u16string FixtureText(const std::u16string& key);

class MainWindowTest : public testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
};
