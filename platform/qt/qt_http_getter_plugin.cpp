// The HTTP plugin: a QtHttpGetter for the program to load.
#include <type_traits>

#include "platform/qt/lazy_http_getter.h"
#include "platform/qt/qt_http_getter.h"

VARLO_PLUGIN_EXPORT varlo::HttpGetter* varlo_make_http_getter(const varlo::HttpLimits& limits) {
  return new varlo::QtHttpGetter(limits);
}
static_assert(std::is_same_v<decltype(&varlo_make_http_getter), VarloMakeHttpGetter>);
