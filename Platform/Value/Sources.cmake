list(APPEND PLATFORM_SOURCES
    Value/AmountText.cpp
    Value/Conversions.cpp
    Value/Currency.cpp
    Value/Errors.cpp
    Value/Locale.cpp
    Value/NumberText.cpp
    Value/Pattern.cpp
    Value/Random.cpp
    Value/RuntimeError.cpp
    Value/TextServices.cpp
    Value/Units.cpp
    Value/Variant.cpp
)
list(APPEND VALUE_TESTS
    Value/AmountText_test.cpp
    Value/Conversions_test.cpp
    Value/Currency_test.cpp
    Value/Locale_test.cpp
    Value/Pattern_test.cpp
    Value/Random_test.cpp
    Value/TextServices_test.cpp
    Value/Units_test.cpp
    Value/Variant_test.cpp
)
