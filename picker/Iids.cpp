// The interface and class ids the library defines.
#include <TessvikIids.inl>
