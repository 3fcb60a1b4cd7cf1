#include "calendar/runtime_error.h"

#include <type_traits>

namespace calendario {
namespace {

const char *messageFor(RuntimeError::Number number)
{
    switch (number) {
    case RuntimeError::InvalidCall:
        return "Chiamata di routine o argomento non validi";
    case RuntimeError::Overflow:
        return "Overflow";
    case RuntimeError::SubscriptOutOfRange:
        return "Indice non incluso nell'intervallo";
    case RuntimeError::TypeMismatch:
        return "Tipo non corrispondente";
    case RuntimeError::Internal:
        return "Errore interno";
    case RuntimeError::InvalidPropertyValue:
        return "Valore della proprietà non valido";
    }
    return "Errore interno";
}

} // namespace

RuntimeError::RuntimeError(Number number) : number_(number), message_(messageFor(number)) { }

static_assert(std::is_nothrow_copy_constructible_v<RuntimeError>);

} // namespace calendario
