#pragma once

// Puts the fifteen persistent classes in the class registry; safe to call often.
void RegisterModelClasses();
