// Filled in as the framework grows.
#pragma once
