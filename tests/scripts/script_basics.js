// The script runner itself: arguments, assertions, errors from the object model with numbers.
assertEqual(args.length, 0, "no arguments");
var caught = null;
try {
  CreateObject("No.Such.Class");
} catch (e) {
  caught = e.number;
}
assertEqual(caught, 429, "an unknown class cannot be created");
assert(typeof print === "function", "print exists");
