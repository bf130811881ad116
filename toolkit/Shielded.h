#pragma once

// Runs handler and returns what it returns. An exception it throws, of any type, ends
// here and fallback's result is returned instead: procedures that the system calls must
// not let one through, as crossing the system's frames ends the process without a word.
template <typename THandler, typename TFallback>
auto CallShielded(THandler&& handler, TFallback&& fallback) -> decltype(handler())
{
    try
    {
        return handler();
    }
    catch (...)
    {
        return fallback();
    }
}
