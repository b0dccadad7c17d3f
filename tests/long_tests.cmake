# Read by ctest once the test programs have listed their tests: the ones that take several
# seconds (waiting on a time-out or running p330ctl many times) start before the short ones, so
# that none of them is left to run alone at the end. Only the order depends on it: ctest passes
# over a name that is no longer a test.
set_tests_properties(
  UserFilesTest.ABusyFolderTimesOutAndKilledCopiesLeaveNothing
  TextRoundTrip.RandomProfilesComeBackByteForByteInAFreshFolder
  CatalogueTest.EverySettingReachesGetSetJsonTextsAndCompletion
  NoDesktopTest.EverySettingIsNamedOnceAndTheStatusSaysNothingWasSet
  SetTest.SetApplyReachesTheSimulatedMouseAndResetBringsTheDefaultsBack
  SetTest.EveryButtonFunctionRoundTripsWithItsCodeAndLabel
  ManagersTest.EveryCommandWritesJsonWithItsSchema
  PROPERTIES COST 300)
