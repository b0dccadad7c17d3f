# The window's tests that take several seconds, for ctest as ../long_tests.cmake.
set_tests_properties(KeyboardTest.TheStopsAreTheFocusOrderTableAndHoldEveryControl
                     ApplicationFlowsTest.AWindowThatCannotBeDrawnSaysWhyAndStartFails
                     PROPERTIES COST 300)
