// Filled in as the subsystem grows.
namespace rb {}
